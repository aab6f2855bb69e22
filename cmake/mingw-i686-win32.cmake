# The same cross-build with the win32-thread-model compilers, which link no
# threads library: for the shipped DLLs alone (-DVX_SHIPPED_ONLY=ON, see
# platform/win32/runtime). The test programs need the posix thread model
# of mingw-i686.cmake for GoogleTest's threads.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
