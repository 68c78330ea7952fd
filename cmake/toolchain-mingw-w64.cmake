# CMake toolchain for 64-bit Windows programs, built on Debian with MinGW-w64
# and run under Wine.
#   bash tools/windows_sdl.sh build-windows/sdl
#   cmake --preset windows
#
# SDL 1.2 comes from the prefix tools/windows_sdl.sh builds (VORN_WINDOWS_SDL,
# by default the folder sdl in the build folder). pkg-config and the find_*
# commands look there and in the MinGW-w64 system folder only, never at the
# build machine's own libraries.
#
# The programs carry the C++ run-time libraries and the POSIX threads
# library inside them, so an .exe needs SDL.dll and Windows' own DLLs only.
# Tests run through Wine (CMAKE_CROSSCOMPILING_EMULATOR) with the Wine prefix
# VORN_WINE_PREFIX, its debug channels silenced and no prompts to install
# Wine's Mono or Gecko.
#
# No -Wa,-muse-unaligned-vector-move: GCC on Win64 cannot keep the stack
# 32-byte aligned for AVX spills, and an aligned vmovaps there faults, but
# Debian's MinGW-w64 GCC is patched to emit unaligned moves for them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORN_MINGW_TRIPLET x86_64-w64-mingw32)
# The -posix compilers: the plain names are the variant with Win32 threads,
# whose libstdc++ has no std::thread.
set(CMAKE_C_COMPILER ${VORN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORN_MINGW_TRIPLET}-windres)

set(VORN_WINDOWS_SDL "${CMAKE_BINARY_DIR}/sdl" CACHE PATH
  "The prefix of SDL 1.2 for Windows made by tools/windows_sdl.sh")
# try_compile projects read this file again; they get the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORN_WINDOWS_SDL VORN_WINE_PREFIX)

set(CMAKE_FIND_ROOT_PATH "${VORN_WINDOWS_SDL}" /usr/${VORN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config reads only the SDL prefix's sdl.pc, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "${VORN_WINDOWS_SDL}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# libgcc, libstdc++ and winpthread (which the -posix libstdc++ needs) linked
# in statically, taking only the objects a program uses (the whole of
# winpthread would bring its own version information along, which would
# stand beside the program's). SDL still links through its import library:
# cmake/sdl.cmake names it by its full path, which -static leaves alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# Wine: the 64-bit loader itself rather than the wine script, which without
# the 32-bit Wine prints a hint on every start unless WINEDEBUG has -all.
find_program(VORN_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH
  DOC "Wine's loader of 64-bit Windows programs")
set(VORN_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH
  "The Wine prefix the tests run in (made on first use; wineboot --init makes it ahead)")
if(VORN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env "WINEPREFIX=${VORN_WINE_PREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
    "${VORN_WINE}")
endif()
