# The Debian package: `cpack -G DEB` in the build folder makes
# vorn2112_<version>_<arch>.deb of everything that `cmake --install` puts,
# under /usr.
set(CPACK_PACKAGE_NAME vorn2112)
set(CPACK_PACKAGE_VENDOR "VORN2112 developers")
set(CPACK_PACKAGE_CONTACT "VORN2112 developers <vorn2112@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# SDL 1.2 through either flavour: the classic library's package and the
# compatibility layer over SDL 2 (libsdl1.2-compat-shim) both provide
# libsdl1.2debian. dpkg-shlibdeps would name the one installed here, so the
# list is written out; the C and C++ run-time thresholds are those it finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11), libsdl1.2debian (>= 1.2.15)")
# A cross build's package is for its target's Debian architecture (arm64 for
# aarch64-linux-gnu), not for the build machine's.
if(CMAKE_CROSSCOMPILING)
  execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"software-rendered graphics demo over SDL 1.2
VORN2112 draws every frame in software: flickering grey stars, a moorland
picture that dissolves into colour noise inside its outline, a logo, a
rainbow swinging on two sine waves, a message scrolling along the bottom in
rolling raster-bar colours, and the letters V, O, R and N flying on sine
curves. It runs until Escape, Q or q is pressed, and every run shows the same
frames.
.
The package holds the windowed demo (vorn2112) and the full-screen one
(vorn2112fs), tools that render its frames to files or a video stream
without a display, and the demo's modules (image core, bitmap font,
scroller, raster bars, display) as static libraries with headers, a CMake
package and pkg-config files.")
include(CPack)
