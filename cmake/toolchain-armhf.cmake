# CMake toolchain for 32-bit ARM Linux with hardware floating point (armhf),
# built on Debian with g++-arm-linux-gnueabihf, without SDL (the headless
# build: the modules, the scene, the capture tools, the painter and the unit
# tests that need no display), run under qemu-arm. The programs are linked
# statically, so qemu needs none of the target's libraries.
set(VORN_CROSS_TRIPLET arm-linux-gnueabihf)
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(VORN_CROSS_QEMU qemu-arm)
set(VORN_CROSS_NATIVE_HOSTS armv7l)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
