# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#     -DQEV_TINYXML_SOURCE_DIR=<unpacked tinyxml source>
# The executables are linked statically (libstdc++, libgcc, winpthread), so
# qev.exe and bytewrap.exe run on a bare Windows or under Wine without DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and test discovery run the executables through Wine.
find_program(QEV_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(QEV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QEV_WINE})
endif()
# Listing the unit tests means running them: leave that to ctest rather than
# every build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
