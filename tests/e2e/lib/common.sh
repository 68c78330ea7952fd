# Shared by the end-to-end scripts: a private X server, waiting, failing,
# skipping. Usage from a script: source "$(dirname "$0")/lib/common.sh" "$@"
set -u
BIN=$1
SRC=$2
WORK=$(mktemp -d)
# A cross build's programs run through the emulator of its processor
# (VORN_EMULATOR, qemu-user with its options; empty for a native build):
# every program of the build is started as "${EMU[@]}" PROGRAM.
read -ra EMU <<<"${VORN_EMULATOR-}"
XVFB_PID=
WM_PID=
cleanup() {
  [ -n "${APP_PID:-}" ] && kill -9 "$APP_PID" 2>/dev/null
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# Fails the script, saying why; the screenshots it took (shoot) are kept, as
# PNG, in the build's test-output/e2e-<script> folder and named.
fail() {
  echo "FAIL: $*" >&2
  if [ -d "$WORK/shots" ]; then
    local kept shot png
    kept=$(cd "$BIN/.." && pwd)/test-output/e2e-$(basename "$0" .sh)
    rm -rf "$kept" && mkdir -p "$kept"
    echo "screenshots kept:" >&2
    for shot in "$WORK"/shots/*; do
      png=$kept/$(basename "${shot%.*}").png
      convert "$shot" "$png" && echo "  $png" >&2
    done
  fi
  exit 1
}

# Ends a script that cannot run here, saying why, with the status CTest
# counts as skipped (the tests' SKIP_RETURN_CODE).
skip() {
  echo "SKIP: $*"
  exit 77
}

# Starts Xvfb on a free display number, its screen $1 (1024x768x24 unless
# given), and exports DISPLAY. Without -noreset the server resets whenever its
# last client leaves (a finished xprop, an ended demo) and turns away a
# program that connects meanwhile.
start_x() {
  exec 9>"$WORK/displayfd"
  Xvfb -displayfd 9 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local n
  for _ in $(seq 100); do
    n=$(cat "$WORK/displayfd" 2>/dev/null)
    [ -n "$n" ] && break
    sleep 0.1
  done
  [ -n "$n" ] || fail "Xvfb did not start"
  export DISPLAY=":$n"
  unset SDL_VIDEODRIVER
}

# Starts a window manager on the private X server: a full-screen request is
# the window manager's to carry out.
# It may take a while on a loaded machine; a manager that died says why.
start_wm() {
  openbox >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$WM_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "the window manager did not start: $(tail -n 5 "$WORK/wm.log")"
}

# Waits up to $2 seconds for process $1 to end; its exit status lands in STATUS.
wait_exit() {
  local pid=$1 limit=$2
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Finds the window titled VORN2112, waiting up to 30 seconds (a loaded
# machine may be slow to start the program).
find_window() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --name '^VORN2112$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    if [ -n "${APP_PID:-}" ] && ! kill -0 "$APP_PID" 2>/dev/null; then
      echo "the program ended before its window showed: $(tail -n 3 "$WORK/out" 2>/dev/null)" >&2
      return 1
    fi
    sleep 0.1
  done
  return 1
}

# Takes a screenshot of window $1 (root: the whole screen) into
# $WORK/shots/$2, a PPM file for frame_check.
shoot() {
  mkdir -p "$WORK/shots"
  import -window "$1" -depth 8 "$WORK/shots/$2" 2>/dev/null
}

# Fails unless window $1 is 640 x 480 and a screenshot of it shows the scene
# (judged by the native frame_check in $BIN). The message starts with a
# screen of blanks, so the text gets a few tries to scroll in.
shows_scene() {
  local win=$1 try
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x$HEIGHT"
  for try in 1 2 3 4 5 6 7 8; do
    shoot "$win" window.ppm
    "${EMU[@]}" "$BIN/frame_check" "$WORK/shots/window.ppm" >"$WORK/check" && break
    [ "$try" = 8 ] && fail "the window does not show the scene: $(cat "$WORK/check")"
    sleep 1
  done
  echo "screenshot: $(cat "$WORK/check")"
}

# Sends a real key press and release (XTEST) to the window, the key held
# for 100 ms as a finger would: the keyboard keeps the last event of a
# frame, so a press released within the same frame (16.7 ms at 60 frames a
# second) is lost by design.
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool keydown "$2"
  sleep 0.1
  xdotool keyup "$2"
}

# Presses the keys in turn on window $1; fails if the demo ($APP_PID) has
# ended a second later.
survives() {
  local win=$1 key
  shift
  for key in "$@"; do press "$win" "$key"; done
  sleep 1
  kill -0 "$APP_PID" 2>/dev/null || fail "$* ended the demo"
}

# Presses key $2 on window $1; fails unless the demo ($APP_PID) then ends
# within 5 seconds with status 0. Under an emulator on a loaded machine a
# press is sometimes lost before the window has the focus: there the key is
# pressed up to three times, 10 seconds apart.
ends_on() {
  local limit=5 tries=1 try
  [ ${#EMU[@]} -eq 0 ] || { limit=10; tries=3; }
  for try in $(seq $tries); do
    press "$1" "$2"
    wait_exit "$APP_PID" $limit && break
    [ "$try" = $tries ] && fail "$2 did not end the demo within $limit s ($tries presses)"
  done
  APP_PID=
  [ "$STATUS" = 0 ] || fail "exit status $STATUS after $2"
}

# Runs ./$1 (in the current folder) for $2 seconds with the present counter
# beside it (libvorn_present_counter.so) loaded, then ends it on q; fails
# unless it ends with status 0. Any further words are the program's
# environment (VORN2112_FPS=30). Leaves the counter's line in COUNTED and
# its figures in RATE (presents a second, whole), P95 (ms) and CPU (share
# of a core), and the program's other output in SAID.
run_counted() {
  local program=$1 seconds=$2 win
  shift 2
  env LD_PRELOAD="$PWD/libvorn_present_counter.so" "$@" "./$program" >"$WORK/out" 2>&1 &
  APP_PID=$!
  win=$(find_window) || fail "$program opened no window"
  sleep "$seconds"
  ends_on "$win" q
  COUNTED=$(grep "^presents:" "$WORK/out") || fail "$program $*: the counter saw no presents: $(cat "$WORK/out")"
  SAID=$(grep -v '^presents:' "$WORK/out")
  RATE=$(sed -E 's/.*: ([0-9]+)\.[0-9] per second.*/\1/' <<<"$COUNTED")
  P95=$(sed -E 's/.*p95 interval ([0-9.]+) ms.*/\1/' <<<"$COUNTED")
  CPU=$(sed -E 's/.*CPU ([0-9.]+) of a core.*/\1/' <<<"$COUNTED")
}

# with VAR=VALUE PROGRAM ARGS...: runs a program of the build with VAR set for
# it alone. Under qemu-user the variable goes to the emulated program
# (QEMU_SET_ENV) rather than to the emulator, for variables that the dynamic
# loader reads (LD_PRELOAD, LD_TRACE_LOADED_OBJECTS).
with() {
  if [ ${#EMU[@]} -gt 0 ]; then
    QEMU_SET_ENV=$1 "${EMU[@]}" "${@:2}"
  else
    (export "${1:?}" && exec "${@:2}")  # not through env, which the loader would meet first
  fi
}

# same_frames NATIVE_TOOL LABEL RUN...: the capture tool that RUN... starts
# renders frames 0-199 and 4000 and a 30-frame video stream byte for byte as
# the native build's capture tool NATIVE_TOOL (run beside its pictures) does.
# The frames land in $WORK/native-NAME and $WORK/LABEL-NAME.
same_frames() {
  local native=$1 label=$2 name build
  shift 2
  name=$(basename "$native")
  for build in native "$label"; do
    local run=("$@")
    [ "$build" = native ] && run=(cmake -E chdir "$(dirname "$native")" "$native")
    "${run[@]}" --count 200 --out "$WORK/$build-$name" >/dev/null 2>"$WORK/err" &&
      "${run[@]}" --from 4000 --count 1 --out "$WORK/$build-$name" >/dev/null 2>>"$WORK/err" &&
      "${run[@]}" --count 30 --y4m - >"$WORK/$build-$name.y4m" 2>>"$WORK/err" ||
      fail "$build $name: $(cat "$WORK/err")"
  done
  diff -r "$WORK/native-$name" "$WORK/$label-$name" >/dev/null || fail "$name: the $label frames differ"
  [ "$(find "$WORK/$label-$name" -name 'frame-*.ppm' | wc -l)" = 201 ] || fail "$name: not 201 frames"
  cmp "$WORK/native-$name.y4m" "$WORK/$label-$name.y4m" || fail "$name: the $label video stream differs"
  echo "$label $name: frames 0-199 and 4000 and the stream as the native build's"
}
