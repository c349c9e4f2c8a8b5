# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (g++-mingw-w64-x86-64).
# The program comes out as one statically linked calvern.exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CALVERN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CALVERN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CALVERN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CALVERN_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW sysroot only, never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${CALVERN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No runtime DLLs to ship beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
