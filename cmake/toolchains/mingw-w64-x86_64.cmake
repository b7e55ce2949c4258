# Windows x64 with Debian's MinGW-w64 cross compiler (g++-mingw-w64-x86-64-posix:
# the POSIX thread model, for std::thread and std::mutex). Libraries and
# headers come from the target's root (zlib from libz-mingw-w64-dev); the
# header-only libraries of the build machine are staged by RivoCrossDeps.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_rivo_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_rivo_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_rivo_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_rivo_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_rivo_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler's own runtime (libstdc++, libgcc, winpthread) linked in, so
# that rivo.exe, rivo.dll and the tests need no DLL but the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
