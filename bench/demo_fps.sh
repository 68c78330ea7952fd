#!/usr/bin/env bash
# The demo's frames in a real window: each program runs on a private X
# server (Xvfb, with a window manager for the full screen) for SECONDS at its
# default rate and again with VORN2112_FPS=0 (no waiting), with the present
# counter loaded; then q ends it, and the counter prints its presents a
# second, the 95th percentile of the intervals between them and the demo's
# processor time as a share of one core.
#   bash bench/demo_fps.sh [BUILD_DIR] [SECONDS]
# BUILD_DIR defaults to build and must hold a build with the tests (the
# counter is built with them); SECONDS defaults to 10.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build}")
SECONDS_RUN=${2:-10}
source "$ROOT/tests/e2e/lib/common.sh" "$BUILD/bin" "$ROOT"
[ -f "$BIN/libvorn_present_counter.so" ] || fail "no $BIN/libvorn_present_counter.so: build the tests first"
start_x
start_wm
cd "$BIN" || fail "no $BIN"
for program in vorn2112 vorn2112fs; do
  for fps in default 0; do
    if [ $fps = default ]; then
      run_counted $program "$SECONDS_RUN"
    else
      run_counted $program "$SECONDS_RUN" VORN2112_FPS=$fps
    fi
    printf '%-10s %-14s %s\n' $program "$([ $fps = default ] && echo paced || echo VORN2112_FPS=0)" \
      "${COUNTED#presents: }"
  done
done
