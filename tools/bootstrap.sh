#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and builds VORN2112.
#   bash tools/bootstrap.sh demo      installs what is missing, builds, starts the windowed demo
#   bash tools/bootstrap.sh test      installs what is missing, builds every preset, runs every test
#   bash tools/bootstrap.sh web       installs what is missing, builds both programs for
#                                     the browser and serves them on http://127.0.0.1:8000/
#   bash tools/bootstrap.sh windows   installs what is missing, cross-builds the Windows
#                                     release and says where its archive is
# The builds are CMakePresets.json's, each in the folder the preset names.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# cmake --build runs as many jobs as there are cores.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

PACKAGES=(cmake g++ make pkg-config libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev
          clang-format clang-tidy xvfb xdotool x11-apps x11-utils openbox wmctrl netpbm imagemagick
          ffmpeg lintian desktop-file-utils man-db emscripten chromium firefox-esr python3 nodejs
          gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev)

install_missing() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  # Either SDL 1.2 will do: the compatibility layer over SDL 2 (the default)
  # or the classic library.
  if ! dpkg -s libsdl1.2-compat-dev >/dev/null 2>&1 && ! dpkg -s libsdl1.2-dev >/dev/null 2>&1; then
    missing+=(libsdl1.2-compat-dev)
  fi
  # npm comes with some builds of nodejs and as a package of its own in Debian.
  command -v npm >/dev/null 2>&1 || dpkg -s npm >/dev/null 2>&1 || missing+=(npm)
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Installs puppeteer-core and the static server's modules at the versions in
# package-lock.json; puppeteer never downloads a browser.
install_node_modules() {
  cmp -s package-lock.json node_modules/.installed-lock.json && return 0
  npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null &&
    cp package-lock.json node_modules/.installed-lock.json
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

case "${1:-}" in
  demo)
    install_missing || exit 1
    build release || exit 1
    cd "$BUILT/bin" && exec ./vorn2112
    ;;
  test)
    # Every build of CMakePresets.json, then all their tests in one CTest run
    # from the first (release): unit, e2e, install, package and lint there;
    # unit under the sanitizers; unit and e2e over the classic SDL; the
    # Windows build under Wine; web in Chromium and Firefox; fuzz. A build
    # that fails leaves its tests failing, and the run fails too.
    install_missing || exit 1
    built=0
    install_node_modules || { echo "npm ci failed"; built=1; }
    all=
    for preset in $(cmake --list-presets=configure | sed -n 's/^ *"\([^"]*\)".*/\1/p'); do
      echo "== building $preset"
      build "$preset" || { echo "the $preset build failed"; built=1; continue; }
      [ -n "$all" ] || all=$BUILT/all
    done
    [ -n "$all" ] || exit 1
    ctest --test-dir "$all" --output-on-failure --timeout 900 || exit 1
    exit $built
    ;;
  web)
    install_missing || exit 1
    build web || exit 1
    echo "the demo in a web browser: http://127.0.0.1:8000/ (the 320 x 200 program: http://127.0.0.1:8000/?fs)"
    install_node_modules && exec node web/serve.js "$BUILT/bin" 8000
    ;;
  windows)
    install_missing || exit 1
    build windows || exit 1
    ls "$BUILT"/vorn2112-windows-*.zip
    ;;
  *)
    echo "usage: bash tools/bootstrap.sh demo|test|web|windows" >&2
    exit 2
    ;;
esac
