# Cross-build for 32-bit Windows with mingw-w64; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Each test program runs under Wine through wine-test.sh: in a prefix and
# on a display of its own when the test command names a prefix template.
get_filename_component(VX_WINE_TEST ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VX_WINE_TEST})
