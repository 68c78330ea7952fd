# CMake toolchain for 64-bit ARM Linux (arm64), built on Debian with
# g++-aarch64-linux-gnu over the arm64 SDL 1.2 of multiarch
# (dpkg --add-architecture arm64; libsdl1.2-compat-dev:arm64, which
# bash tools/bootstrap.sh arm64 installs) and run under qemu-aarch64.
set(VORN_CROSS_TRIPLET aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(VORN_CROSS_QEMU qemu-aarch64)
set(VORN_CROSS_NATIVE_HOSTS aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
