include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(RIVO_CONFIG_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/rivo")

install(TARGETS rivo EXPORT rivoTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rivo)

# The public API: the interfaces, the façade classes and the error objects.
install(FILES src/rivo.h "${PROJECT_BINARY_DIR}/generated/version.h"
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rivo)
install(DIRECTORY src/interface src/support
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rivo
        FILES_MATCHING PATTERN "*.h")

# The C interface: its shared library and its two headers, included as
# <rivo/rivo_c.h>.
if(TARGET rivo_c)
  install(TARGETS rivo_c EXPORT rivoTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES include/rivo/rivo_c.h include/rivo/export.h
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rivo)
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
