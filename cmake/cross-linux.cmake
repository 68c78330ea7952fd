# Shared by the toolchain files of the Linux cross builds (arm64, i386,
# armhf, s390x): Debian's cross compiler for VORN_CROSS_TRIPLET, the
# target's libraries where Debian's multiarch puts them, and its programs run
# through qemu-user, named on every command (CMAKE_CROSSCOMPILING_EMULATOR),
# so that nothing relies on the kernel's binfmt handlers, which containers
# lack. A toolchain file sets VORN_CROSS_TRIPLET, CMAKE_SYSTEM_PROCESSOR and
# VORN_CROSS_QEMU (qemu-user's name for the processor), then includes this.
#
# The build machine's own libraries never leak in: pkg-config reads the
# target's folders only, and GoogleTest is built from Debian's source
# (tests/CMakeLists.txt) rather than taken from the build machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${VORN_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VORN_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${VORN_CROSS_TRIPLET})

set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/${VORN_CROSS_TRIPLET}/pkgconfig:/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# A dynamically linked program (arm64's, over SDL) loads the target's
# multiarch libraries, the C++ run-time among them (libstdc++6:arm64): qemu's
# -L, which would give it the cross compiler's loader, is not used, as that
# loader with the multiarch C library of another Debian revision hangs
# threaded programs. The other builds link statically and load nothing.
# Where the build machine runs the target's programs itself (an arm64
# machine building for arm64), no emulator is needed.
if(NOT CMAKE_HOST_SYSTEM_PROCESSOR IN_LIST VORN_CROSS_NATIVE_HOSTS)
  find_program(VORN_QEMU ${VORN_CROSS_QEMU} DOC "qemu-user's emulator of the target's processor")
  if(VORN_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VORN_QEMU})
  endif()
endif()
