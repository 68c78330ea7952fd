# CMake toolchain for IBM Z Linux (s390x), a big-endian processor: built on
# Debian with g++-s390x-linux-gnu, without SDL (the headless build: the
# modules, the scene, the capture tools, the painter and the unit tests that
# need no display), run under qemu-s390x. The frames must come out byte for
# byte as on a little-endian machine. The programs are linked statically, so
# qemu needs none of the target's libraries.
set(VORN_CROSS_TRIPLET s390x-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(VORN_CROSS_QEMU qemu-s390x)
set(VORN_CROSS_NATIVE_HOSTS s390x)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
