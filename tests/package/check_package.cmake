# Installs the built project into a fresh prefix, checks that only the public
# headers (include/rivo) were installed, then configures, builds and runs a
# small consumer that finds the package with find_package(rivo) and parses
# a network. EMULATOR runs the consumer where the build is for another
# platform (Wine for Windows), with the library's DLL beside it.
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "install failed")
endif()

file(GLOB_RECURSE headers RELATIVE "${WORK_DIR}/prefix/include" "${WORK_DIR}/prefix/include/*")
list(FILTER headers EXCLUDE REGEX "^rivo/[a-z_]+\\.h$")
if(headers)
  message(FATAL_ERROR "installed headers outside include/rivo: ${headers}")
endif()

if(CXX_FLAGS)
  list(APPEND CONSUMER_ARGS "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${WORK_DIR}/build" -G Ninja
                        "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix"
                        "-Drivo_DIR=${WORK_DIR}/prefix/lib/cmake/rivo" ${CONSUMER_ARGS}
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer configure failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK_DIR}/build" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer build failed")
endif()
file(GLOB dlls "${WORK_DIR}/prefix/bin/*.dll")
if(dlls)
  file(COPY ${dlls} DESTINATION "${WORK_DIR}/build")
endif()
execute_process(COMMAND ${EMULATOR} "${WORK_DIR}/build/consumer${EXE_SUFFIX}"
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer run failed")
endif()
