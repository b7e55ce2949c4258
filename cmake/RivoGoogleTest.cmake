# GoogleTest for the tests. A native build takes Debian's installed package;
# a cross build compiles it from Debian's source package (googletest, in
# /usr/src/googletest) with the cross compiler. There every test program is
# one CTest case run through the emulator (Wine starts at about a second a
# process, too slow for a process per test), so gtest_discover_tests is
# replaced by a plain add_test of the whole program.
include(GoogleTest)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()
if(NOT TARGET gtest)
  set(RIVO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${RIVO_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()
function(gtest_discover_tests target)
  add_test(NAME ${target} COMMAND ${target})
endfunction()
