# Cross-builds 64-bit Windows binaries with Debian's mingw-w64 GCC, posix thread variant (the win32
# variant has no std::mutex or std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(RYN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RYN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RYN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RYN_MINGW_TRIPLET}-windres)

# Look for libraries and headers in the mingw tree only: the build machine's /usr/include must never
# reach a Windows compile. Packages given by an explicit <Name>_DIR are still found.
set(CMAKE_FIND_ROOT_PATH /usr/${RYN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the binaries then need only the DLLs every Windows system has, not
# libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
