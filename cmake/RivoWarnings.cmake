# Warnings and floating-point settings for one target. Contraction stays off so
# that no multiply-add is fused: direction tie-breaks compare dot products that
# must be computed exactly as written.
function(rivo_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
  # GCC 12 reports a false -Wrestrict inside std::string's operator+ once it is
  # inlined at -O3 (a literal followed by a temporary string).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(RIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
