# Warnings and floating-point settings for one target. Contraction stays off so
# that no multiply-add is fused: direction tie-breaks compare dot products that
# must be computed exactly as written.
function(rivo_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
  if(RIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
