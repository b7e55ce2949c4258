# A host that includes <rivo/rivo.h> gets no macro but the library's own
# (RIVO_*): the macros defined after including it are compared with those of
# the standard headers it includes. Not on Windows, where the platform's
# headers come with the platform's macros.
file(GLOB headers "${INCLUDE_DIR}/rivo/*.h")
set(standard "")
foreach(header IN LISTS headers)
  file(STRINGS "${header}" lines REGEX "^#include <")
  list(APPEND standard ${lines})
endforeach()
list(REMOVE_DUPLICATES standard)
list(FILTER standard EXCLUDE REGEX "<windows.h>|<oleauto.h>")  # Windows only
list(JOIN standard "\n" standard)
file(WRITE "${WORK_DIR}/standard.cpp" "${standard}\n")
file(WRITE "${WORK_DIR}/library.cpp" "${standard}\n#include <rivo/rivo.h>\n")

function(defined_macros source out)
  execute_process(COMMAND "${CXX}" -std=c++20 -E -dM "-I${INCLUDE_DIR}" "-I${GENERATED_DIR}"
                          "${source}"
                  OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "preprocessing ${source} failed")
  endif()
  string(REGEX MATCHALL "#define [A-Za-z_0-9]+" names "${text}")
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

defined_macros("${WORK_DIR}/standard.cpp" before)
defined_macros("${WORK_DIR}/library.cpp" after)
list(REMOVE_ITEM after ${before})
list(FILTER after EXCLUDE REGEX "^#define RIVO_")
if(after)
  message(FATAL_ERROR "<rivo/rivo.h> defines macros that are not the library's: ${after}")
endif()
message(STATUS "<rivo/rivo.h> defines only RIVO_* macros")
