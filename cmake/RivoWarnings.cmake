# Warnings for one target.
function(rivo_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  # GCC 12 reports a false -Wrestrict inside std::string's operator+ once it is
  # inlined at -O3 (a literal followed by a temporary string).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(RIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Arithmetic exactly as written, for a target that compiles the library's
# code (scope PRIVATE) or for one whose users compile its inline code
# (INTERFACE). A compiler may otherwise fuse a multiply and an add into one
# instruction that rounds once instead of twice, and whether it does depends
# on the processor and the optimisation level. The search orders a node's
# neighbours by the directions of its links (unit vectors and their dot
# products, from the node coordinates), and ties and near-ties there decide
# which neighbour comes first: one rounding more or less can change the
# search tree, and with it the branches, their numbers and every result.
function(rivo_keep_arithmetic_as_written target scope)
  target_compile_options(${target} ${scope} -ffp-contract=off)
endfunction()
