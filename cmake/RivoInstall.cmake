include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(RIVO_CONFIG_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/rivo")

install(TARGETS rivo EXPORT rivoTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The public headers, include/rivo, and nothing of the core: a host writes
# #include <rivo/rivo.h>.
install(DIRECTORY include/rivo DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")
install(FILES "${PROJECT_BINARY_DIR}/generated/include/rivo/version.h"
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rivo)

if(WIN32 AND RIVO_SHARED)
  install(FILES "${PROJECT_BINARY_DIR}/src/rivo.def" DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

install(EXPORT rivoTargets NAMESPACE rivo:: DESTINATION ${RIVO_CONFIG_DIR})

configure_package_config_file(cmake/rivoConfig.cmake.in
                              "${PROJECT_BINARY_DIR}/rivoConfig.cmake"
                              INSTALL_DESTINATION ${RIVO_CONFIG_DIR})
write_basic_package_version_file("${PROJECT_BINARY_DIR}/rivoConfigVersion.cmake"
                                 COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/rivoConfig.cmake"
              "${PROJECT_BINARY_DIR}/rivoConfigVersion.cmake"
        DESTINATION ${RIVO_CONFIG_DIR})
