# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix).
#
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
#         -DVELMORA_MINGW_PREFIXES="<wxWidgets prefix>;<GoogleTest prefix>"
#
# scripts/build-windows.sh builds those prefixes and runs this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMORA_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: the win32 one has no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLET}-windres)

# Libraries built for MinGW outside the compiler's own folder (wxWidgets, GoogleTest).
set(VELMORA_MINGW_PREFIXES "" CACHE STRING "Install prefixes of libraries built for MinGW")
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLET} ${VELMORA_MINGW_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every .exe carries its runtime: libgcc, libstdc++ and winpthread linked in, so it runs
# from a folder with nothing installed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release .exe without its symbol table: most of a static wxWidgets program's size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
