# Cross-compiles the Windows game with Debian's MinGW-w64 (64-bit):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WHIRL_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "Target triple of the MinGW-w64 tools")
# The POSIX-threads compilers where Debian ships both kinds: their standard
# library has std::mutex, which the Windows tests' GoogleTest needs. Linking is
# static either way, so the threading library adds no DLL.
find_program(WHIRL_MINGW_GCC NAMES ${WHIRL_MINGW_PREFIX}-gcc-posix ${WHIRL_MINGW_PREFIX}-gcc REQUIRED)
find_program(WHIRL_MINGW_GXX NAMES ${WHIRL_MINGW_PREFIX}-g++-posix ${WHIRL_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${WHIRL_MINGW_GCC})
set(CMAKE_CXX_COMPILER ${WHIRL_MINGW_GXX})
set(CMAKE_RC_COMPILER ${WHIRL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WHIRL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
