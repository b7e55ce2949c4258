# Environment for a test that loads an instrumented library into an
# uninstrumented runtime (Python's interpreter, Mono): the sanitizer's runtime
# has to be loaded first, and the C++ runtime with it so that it finds what it
# intercepts of exceptions. Such runtimes keep memory to their exit on
# purpose, so leak checking stays with the C++ tests. Appends to `out_var`.
function(rivo_append_sanitizer_preload out_var)
  if(NOT RIVO_SANITIZE)
    return()
  endif()
  set(preload "")
  foreach(library libasan.so libstdc++.so)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    list(APPEND preload "${path}")
  endforeach()
  list(JOIN preload ":" preload)
  set(${out_var} ${${out_var}} "LD_PRELOAD=${preload}" ASAN_OPTIONS=detect_leaks=0 PARENT_SCOPE)
endfunction()
