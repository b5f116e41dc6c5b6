# The MinGW-w64 cross toolchain (posix threads) for the architecture that the
# including toolchain file names in velmora_mingw_arch; tests and build-time steps run
# the .exe files under Wine through velmora_wine_exec (a script in tools/).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${velmora_mingw_arch})
set(CMAKE_C_COMPILER ${velmora_mingw_arch}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${velmora_mingw_arch}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${velmora_mingw_arch}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${velmora_mingw_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/${velmora_wine_exec})
