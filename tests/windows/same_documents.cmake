cmake_minimum_required(VERSION 3.25)
# The Windows tool writes the same result documents as the Linux tool, byte
# for byte: for the examples (against their checked-in results, and with the
# longest-branch option against the Linux tool) and for ten of the shared
# models in both modes (against the Linux tool, when both are there).
set(compared 0)
# Runs the Windows tool (through the emulator) on `input` and compares what it
# writes with `expected`, or with what the Linux tool writes for the same call.
function(compare input mode expected)
  get_filename_component(name "${input}" NAME_WE)
  set(windows "${WORK_DIR}/${name}${mode}.windows.json")
  # Wine's Z: drive is the root: "/work/x" would read as a Windows-style option.
  execute_process(COMMAND ${EMULATOR} "${TOOL}" parse "Z:${input}" ${mode} -o "Z:${windows}"
                  RESULT_VARIABLE windows_rc OUTPUT_QUIET ERROR_VARIABLE windows_error)
  if(NOT expected)
    set(expected "${WORK_DIR}/${name}${mode}.linux.json")
    execute_process(COMMAND "${LINUX_TOOL}" parse "${input}" ${mode} -o "${expected}"
                    RESULT_VARIABLE linux_rc OUTPUT_QUIET)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${windows}" "${expected}"
                  RESULT_VARIABLE rc)
  if(rc OR (DEFINED linux_rc AND NOT windows_rc EQUAL linux_rc))
    list(APPEND differ "${name}${mode} (exit ${windows_rc}: ${windows_error})")
  endif()
  math(EXPR compared "${compared} + 1")
  return(PROPAGATE compared differ)
endfunction()

file(MAKE_DIRECTORY "${WORK_DIR}")
file(GLOB examples "${EXAMPLES}/*.json")
list(FILTER examples EXCLUDE REGEX "\\.result\\.json$")
foreach(example IN LISTS examples)
  string(REGEX REPLACE "\\.json$" ".result.json" result "${example}")
  compare("${example}" "" "${result}")
endforeach()

file(GLOB models "${SHARED}/json-storage/*.json")
list(FILTER models EXCLUDE REGEX "\\.names\\.json$")
list(SORT models)
list(SUBLIST models 0 10 models)
if(EXISTS "${LINUX_TOOL}")
  foreach(input IN LISTS examples models)
    compare("${input}" "--longest" "")
  endforeach()
  foreach(input IN LISTS models)
    compare("${input}" "" "")
  endforeach()
else()
  message(STATUS "SKIPPED the comparison with the Linux tool: ${LINUX_TOOL} is absent")
endif()

if(differ)
  message(FATAL_ERROR "documents that differ from the Linux ones: ${differ}")
endif()
message(STATUS "${compared} documents equal byte for byte")
