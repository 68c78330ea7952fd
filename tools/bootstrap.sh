#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and builds VORN2112.
#   bash tools/bootstrap.sh demo   installs what is missing, builds, starts the windowed demo
#   bash tools/bootstrap.sh test   installs what is missing, builds, runs every test
#   bash tools/bootstrap.sh web    installs what is missing, builds both programs for
#                                  the browser and serves them on http://127.0.0.1:8000/
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
ROOT=$PWD
JOBS=$(nproc)

PACKAGES=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
          xvfb xdotool x11-apps x11-utils openbox wmctrl netpbm imagemagick ffmpeg
          lintian desktop-file-utils man-db emscripten chromium nodejs)

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

# build DIR [cmake options...]
build() {
  local dir=$1
  shift
  mkdir -p "$dir"
  cmake -S "$ROOT" -B "$dir" "$@" >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; return 1; }
  if ! cmake --build "$dir" -j"$JOBS" >"$dir/build.log" 2>&1; then
    grep -E 'error|Error' "$dir/build.log" | head -40
    return 1
  fi
}

# The browser build in build-web: Emscripten's compiler with its SDL 1.2.
# Its links need Node's acorn module (NODE_PATH); build-time programs run
# under plain node (Emscripten's default asks for a flag newer Node rejects).
build_web() {
  export NODE_PATH=/usr/share/nodejs
  mkdir -p build-web
  if ! emcmake cmake -S "$ROOT" -B build-web -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" >build-web/configure.log 2>&1; then
    cat build-web/configure.log
    return 1
  fi
  if ! cmake --build build-web -j"$JOBS" >build-web/build.log 2>&1; then
    grep -E 'error|Error' build-web/build.log | head -40
    return 1
  fi
}

# Headless Chromium is driven by puppeteer-core, at the version in
# package-lock.json; it never downloads a browser.
install_node_modules() {
  cmp -s package-lock.json node_modules/.installed-lock.json && return 0
  npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null &&
    cp package-lock.json node_modules/.installed-lock.json
}

PASSED=0
FAILED=0
# Runs a command as one test and adds its outcome to the totals.
run_step() {
  if "$@"; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)); fi
}
# Runs CTest in DIR with the given filter and adds its counts to the totals.
run_ctest() {
  local dir=$1
  shift
  local log
  log=$(mktemp)
  (cd "$dir" && ctest --output-on-failure --timeout 600 "$@") 2>&1 | tee "$log" | grep -vE '^ *Start |Test +#[0-9]+: .* Passed'
  local line total failed
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    FAILED=$((FAILED + 1))
  else
    failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    PASSED=$((PASSED + total - failed))
    FAILED=$((FAILED + failed))
  fi
  rm -f "$log"
}

case "${1:-}" in
  demo)
    install_missing || exit 1
    build build -DCMAKE_BUILD_TYPE=Release || exit 1
    cd build/bin && exec ./vorn2112
    ;;
  test)
    install_missing || exit 1
    echo "== release build (warnings are errors): unit and end-to-end tests"
    if build build -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON; then
      run_ctest build
      echo "== Debian package: lintian, installed on this machine, used, purged"
      run_step bash tests/install/deb.sh build "$ROOT"
    else
      echo "build failed"; FAILED=$((FAILED + 1))
    fi
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer build: unit tests"
    if build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_WERROR=ON -DVORN_SANITIZE=ON \
        -DVORN_BENCH=OFF; then
      ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0" \
        run_ctest build-asan -L unit
    else
      echo "sanitizer build failed"; FAILED=$((FAILED + 1))
    fi
    echo "== the classic SDL 1.2 instead of the compatibility layer: unit and end-to-end tests"
    classic=$ROOT/build-classic/sdl
    if bash tools/classic_sdl.sh "$classic" &&
        build build-classic -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON -DVORN_BENCH=OFF \
          -DCMAKE_PREFIX_PATH="$classic/usr"; then
      if ldd build-classic/bin/vorn2112 | grep -q "=> $classic/usr/lib/.*/libSDL-1.2.so.0"; then
        run_ctest build-classic -L 'unit|e2e'
      else
        echo "the classic build does not load the classic library:"
        ldd build-classic/bin/vorn2112 | grep -i sdl; FAILED=$((FAILED + 1))
      fi
    else
      echo "classic SDL build failed"; FAILED=$((FAILED + 1))
    fi
    echo "== browser build: headless Chromium against the native frames"
    if ! install_node_modules; then
      echo "npm ci failed"; FAILED=$((FAILED + 1))
    elif ! build_web; then
      echo "browser build failed"; FAILED=$((FAILED + 1))
    else
      log=$(mktemp)
      node tests/web/browser_test.js build-web/bin build/bin 2>&1 | tee "$log"
      line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
      if [ -z "$line" ]; then
        FAILED=$((FAILED + 1))
      else
        PASSED=$((PASSED + ${line%% passed*}))
        failed=${line#*passed, }
        FAILED=$((FAILED + ${failed%% failed}))
      fi
      rm -f "$log"
    fi
    if [ -f fuzz/smoke.sh ]; then
      echo "== fuzzing, a short run of each target"
      if bash fuzz/smoke.sh "${VORN_FUZZ_SECONDS:-20}"; then
        PASSED=$((PASSED + 1))
      else
        FAILED=$((FAILED + 1))
      fi
    fi
    echo "total: $PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
    ;;
  web)
    install_missing || exit 1
    build_web || exit 1
    echo "the demo in a web browser: http://127.0.0.1:8000/ (the 320 x 200 program: http://127.0.0.1:8000/?fs)"
    install_node_modules && exec node web/serve.js build-web/bin 8000
    ;;
  *)
    echo "usage: bash tools/bootstrap.sh demo|test|web" >&2
    exit 2
    ;;
esac
