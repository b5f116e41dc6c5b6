# Cross-compiles the program and its tests as 64-bit Windows programs (MinGW-w64,
# posix threads), for machines that run no 32-bit code: the tests run under wine64.
set(velmora_mingw_arch x86_64)
set(velmora_wine_exec wine64-exec)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
