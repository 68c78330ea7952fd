#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (x86-64 or arm64) and builds VORN2112;
# each command installs only what it needs, when it is missing.
#   bash tools/bootstrap.sh demo      builds both programs and their pictures, starts the windowed demo
#   bash tools/bootstrap.sh web       builds both programs for the browser and serves them on
#                                     http://127.0.0.1:8000/
#   bash tools/bootstrap.sh windows   cross-builds the Windows release and says where its archive is
#   bash tools/bootstrap.sh arm64     builds for arm64 (cross-built and run under qemu-user
#                                     elsewhere) and makes its Debian package
#   bash tools/bootstrap.sh test      builds every preset this machine can build, runs every test
#   bash tools/bootstrap.sh test armhf  the same with the presets named, which the
#                                     default run leaves out (OPTIONAL)
# The builds are CMakePresets.json's, each in the folder the preset names.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# cmake --build runs as many jobs as there are cores.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
ARCH=$(dpkg --print-architecture)

# What each command needs; every need is listed once, and a command takes
# the lists it builds on. SDL 1.2 is the compatibility layer over SDL 2, or
# the classic library where that is installed (SDL below).
# The demo: the painter of its pictures writes the icon's PNG with
# stb_image_write (libstb-dev).
DEMO=(g++ cmake make pkg-config libstb-dev)
# The release build's tests and benchmarks.
RELEASE=(libgtest-dev libbenchmark-dev)
WEB=(emscripten nodejs npm)
# Every cross build: its tests' GoogleTest from source, dpkg's tools
# (dpkg-architecture for the package, dpkg-source for Windows' SDL).
CROSS=(googletest dpkg-dev)
# Windows' SDL is built from Debian's source, patched.
WINDOWS=(g++-mingw-w64-x86-64-posix wine wine64 patch)
EMULATOR=(qemu-user)
ARM64=(g++-aarch64-linux-gnu)
# After dpkg --add-architecture arm64: SDL, and the C++ run-time that the
# programs load under qemu-aarch64.
ARM64_FOREIGN=(libsdl1.2-compat-dev:arm64 libstdc++6:arm64)
# The test command: the tests' own tools, and the headless cross builds
# (32-bit x86 and ARM, big-endian s390x), which need no SDL of theirs.
TEST=(clang libclang-rt-14-dev clang-format clang-tidy xvfb xdotool x11-apps x11-utils openbox
      wmctrl netpbm imagemagick ffmpeg lintian desktop-file-utils man-db chromium firefox-esr python3
      g++-i686-linux-gnu g++-arm-linux-gnueabihf g++-s390x-linux-gnu)
# On an arm64 machine the native build is the arm64 build: its compiler
# already has the arm64 triplet's name, and its SDL is the machine's own.
if [ "$ARCH" = arm64 ]; then
  ARM64=()
  ARM64_FOREIGN=()
fi
# Wine runs x86-64 Windows programs on amd64 machines only (arm64's Wine runs
# arm64 Windows programs), and the Windows build runs its painter under Wine.
[ "$ARCH" = amd64 ] || WINDOWS=()

# Builds the test command leaves out unless named, should a build's suite
# take CI over its time (the 32-bit ARM build's, 3 minutes under qemu-arm,
# would be the first to go).
OPTIONAL=()

SUDO=
[ "$(id -u)" -ne 0 ] && SUDO=sudo
# True when the package is installed (for any architecture: dpkg -s refuses
# a name that multiarch has installed twice).
installed() {
  dpkg-query -W -f '${db:Status-Abbrev}\n' "$1" 2>/dev/null | grep -q '^ii'
}
apt_get() { DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=900 -y -qq "$@"; }

# True when the package can be installed here: apt knows a version of it for
# this machine's architecture (Wine for x86-64 programs exists for amd64 only).
# (grep reads the whole answer: with -q it would stop at the first match,
# and apt-cache, cut off, would fail the pipeline.)
available() {
  apt-cache policy "$1" 2>/dev/null | grep 'Candidate: [^(]' >/dev/null
}

# install PACKAGE...: installs those missing. A package that this machine's
# architecture does not have is left out and named (UNAVAILABLE); the builds
# that need it are then skipped with their reason.
UNAVAILABLE=()
install() {
  local missing=() p
  for p in "$@"; do
    # npm comes with some builds of nodejs, which then conflict with
    # Debian's npm package.
    [ "$p" = npm ] && command -v npm >/dev/null 2>&1 && continue
    installed "$p" || missing+=("$p")
  done
  # Either SDL 1.2 will do: the compatibility layer over SDL 2 (the default)
  # or the classic library.
  if ! installed libsdl1.2-compat-dev && ! installed libsdl1.2-dev; then
    missing+=(libsdl1.2-compat-dev)
  fi
  [ ${#missing[@]} -eq 0 ] && return 0
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq || return 1
  local wanted=()
  for p in "${missing[@]}"; do
    if available "$p"; then wanted+=("$p"); else UNAVAILABLE+=("$p"); fi
  done
  [ ${#UNAVAILABLE[@]} -eq 0 ] || echo "not available for $ARCH, left out: ${UNAVAILABLE[*]}"
  [ ${#wanted[@]} -eq 0 ] && return 0
  echo "installing: ${wanted[*]}"
  apt_get install "${wanted[@]}" >/dev/null
}

# The arm64 libraries beside this machine's own (multiarch). --no-remove:
# apt may bring this machine's copies of shared libraries to the arm64
# copies' versions, but never removes a package for them.
install_arm64_libraries() {
  local p missing=()
  for p in "${ARM64_FOREIGN[@]}"; do
    installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  dpkg --print-foreign-architectures | grep -qx arm64 || $SUDO dpkg --add-architecture arm64 || return 1
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq || return 1
  echo "installing: ${missing[*]}"
  apt_get install --no-remove "${missing[@]}" >/dev/null
}

# Installs puppeteer-core and the static server's modules at the versions in
# package-lock.json; puppeteer never downloads a browser.
install_node_modules() {
  cmp -s package-lock.json node_modules/.installed-lock.json && return 0
  npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null &&
    cp package-lock.json node_modules/.installed-lock.json
}

# Why this machine cannot build the preset (a line), or nothing when it can:
# the compilers and emulators its toolchain names.
cannot_build() {
  local need=() tool
  if [[ " ${OPTIONAL[*]} " == *" $1 "* && " ${NAMED[*]} " != *" $1 "* ]]; then
    echo "outside the default run: bash tools/bootstrap.sh test $1"
    return
  fi
  case $1 in
    demo) echo "the release build holds the demo's programs"; return ;;
    web) need=(emcc node) ;;
    windows)
      [ "$ARCH" = amd64 ] || { echo "Wine runs x86-64 Windows programs on amd64 machines only"; return; }
      need=(x86_64-w64-mingw32-g++-posix wine) ;;
    arm64)
      [ "$ARCH" != arm64 ] || { echo "this machine is arm64: the release build is the arm64 build"; return; }
      need=(aarch64-linux-gnu-g++ qemu-aarch64)
      [ -f /usr/lib/aarch64-linux-gnu/pkgconfig/sdl.pc ] ||
        { echo "no arm64 SDL 1.2 (bash tools/bootstrap.sh arm64 installs it)"; return; } ;;
    i386)
      need=(i686-linux-gnu-g++)
      [ "$ARCH" = amd64 ] || need+=(qemu-i386) ;;
    armhf) need=(arm-linux-gnueabihf-g++ qemu-arm) ;;
    bigendian) need=(s390x-linux-gnu-g++ qemu-s390x) ;;
    fuzz) need=(clang++) ;;
  esac
  for tool in "${need[@]}"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "no $tool on this machine"; return; }
  done
}

# Configures and builds one preset quietly: the logs go to the preset's
# build folder (which CMake names as it configures; it goes into $BUILT) and
# only errors are shown.
build() {
  local preset=$1 log
  log=$(mktemp)
  if ! cmake --preset "$preset" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    return 1
  fi
  BUILT=$(sed -n 's/^-- Build files have been written to: //p' "$log")
  mv "$log" "$BUILT/configure.log"
  cmake --build --preset "$preset" >"$BUILT/build.log" 2>&1 ||
    { grep -E 'error|Error' "$BUILT/build.log" | head -40; return 1; }
}

# Fails the command when the preset cannot be built here, saying why.
buildable() {
  local why
  why=$(cannot_build "$1")
  [ -z "$why" ] || { echo "cannot build $1 here: $why" >&2; return 1; }
}

NAMED=("${@:2}")
case "${1:-}" in
  demo)
    install "${DEMO[@]}" || exit 1
    build demo || exit 1
    cd "$BUILT/bin" && exec ./vorn2112
    ;;
  test)
    # Every build of CMakePresets.json that this machine can build, then all
    # their tests in one CTest run from the first (release): unit, e2e,
    # install, package and lint there; unit under the sanitizers; unit and
    # e2e over the classic SDL; the Windows build under Wine; web in Chromium
    # and Firefox; the other processors under qemu-user; fuzz. A build that
    # fails leaves its tests failing, and the run fails too; a build this
    # machine cannot make is one skipped test that says why.
    install "${DEMO[@]}" "${RELEASE[@]}" "${WEB[@]}" "${CROSS[@]}" "${WINDOWS[@]}" "${EMULATOR[@]}" \
      "${ARM64[@]}" "${TEST[@]}" || exit 1
    install_arm64_libraries || exit 1
    built=0
    install_node_modules || { echo "npm ci failed"; built=1; }
    all=
    declare -A skipped=()
    for preset in $(cmake --list-presets=configure | sed -n 's/^ *"\([^"]*\)".*/\1/p'); do
      why=$(cannot_build "$preset")
      if [ -n "$why" ]; then
        echo "== not building $preset: $why"
        skipped[$preset]=$why
        continue
      fi
      echo "== building $preset"
      SECONDS=0
      build "$preset" || { echo "the $preset build failed"; built=1; continue; }
      echo "   $preset built in $SECONDS s"
      [ -n "$all" ] || all=$BUILT/all
    done
    [ -n "$all" ] || exit 1
    # The reasons, where build/all's test list finds them (cmake/all_tests.cmake).
    rm -rf "$all/not-built" && mkdir -p "$all/not-built"
    for preset in "${!skipped[@]}"; do
      [ "$preset" = demo ] || echo "${skipped[$preset]}" >"$all/not-built/$preset"
    done
    ctest --test-dir "$all" --output-on-failure --timeout 900 || exit 1
    exit $built
    ;;
  web)
    install "${DEMO[@]}" "${WEB[@]}" || exit 1
    buildable web && build web || exit 1
    echo "the demo in a web browser: http://127.0.0.1:8000/ (the 320 x 200 program: http://127.0.0.1:8000/?fs)"
    install_node_modules && exec node web/serve.js "$BUILT/bin" 8000
    ;;
  windows)
    install "${DEMO[@]}" "${CROSS[@]}" "${WINDOWS[@]}" || exit 1
    buildable windows && build windows || exit 1
    ls "$BUILT"/vorn2112-windows-*.zip
    ;;
  arm64)
    preset=arm64
    if [ "$ARCH" = arm64 ]; then
      preset=release
      install "${DEMO[@]}" "${RELEASE[@]}" "${CROSS[@]}" || exit 1
    else
      install "${DEMO[@]}" "${CROSS[@]}" "${EMULATOR[@]}" "${ARM64[@]}" && install_arm64_libraries || exit 1
    fi
    buildable "$preset" && build "$preset" || exit 1
    (cd "$BUILT" && cpack -G DEB) >"$BUILT/cpack.log" 2>&1 || { tail -n 20 "$BUILT/cpack.log"; exit 1; }
    ls "$BUILT"/vorn2112_*_arm64.deb
    ;;
  *)
    echo "usage: bash tools/bootstrap.sh demo|web|windows|arm64|test" >&2
    exit 2
    ;;
esac
