# Cross-compiles the genuine 32-bit Windows program with MinGW-w64 (posix threads);
# its tests run under Wine.
set(velmora_mingw_arch i686)
set(velmora_wine_exec wine-exec)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
