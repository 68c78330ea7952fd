#!/usr/bin/env bash
# The demo's frames per second in a real window: each program runs on a
# private X server (Xvfb, with a window manager for the full screen) for
# SECONDS with the present counter loaded, then q ends it, and the counter
# prints its presents per second.
#   bash bench/demo_fps.sh [BUILD_DIR] [SECONDS]
# BUILD_DIR defaults to build and must hold a build with the benchmarks
# (bash bench/run.sh makes one); SECONDS defaults to 10.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build}")
SECONDS_RUN=${2:-10}
COUNTER=$BUILD/bench/libvorn-present-counter.so
source "$ROOT/tests/e2e/lib/common.sh" "$BUILD/bin" "$ROOT"
[ -f "$COUNTER" ] || fail "no $COUNTER: build with the benchmarks first"
start_x
start_wm
cd "$BIN" || fail "no $BIN"
for program in vorn2112 vorn2112fs; do
  LD_PRELOAD=$COUNTER ./$program >"$WORK/out" 2>&1 &
  APP_PID=$!
  win=$(find_window) || fail "$program opened no window"
  sleep "$SECONDS_RUN"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  press "$win" q
  wait_exit "$APP_PID" 10 || fail "$program did not end on q"
  APP_PID=
  echo "$program (${WIDTH}x$HEIGHT on the screen): $(grep '^presents:' "$WORK/out")"
done
