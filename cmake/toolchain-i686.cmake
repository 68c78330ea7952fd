# CMake toolchain for 32-bit x86 Linux (i386), built on Debian with
# g++-i686-linux-gnu, without SDL (the headless build: the modules, the
# scene, the capture tools, the painter and the unit tests that need no
# display).
#
# SSE arithmetic instead of the x87 unit's: x87 keeps 80-bit intermediates
# (which -ffp-contract=off does not prevent), so the painter would paint other
# pictures there than everywhere else, and every frame would differ.
#
# The programs are linked statically: they need neither the target's C++
# library nor its loader on the machine that runs them, and an x86-64 machine
# runs them directly; elsewhere qemu-i386 runs them.
set(VORN_CROSS_TRIPLET i686-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORN_CROSS_QEMU qemu-i386)
set(VORN_CROSS_NATIVE_HOSTS x86_64 i686)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
