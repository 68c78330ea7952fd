# Both programs show about 60 frames a second and end on q; VORN2112_FPS
# sets the rate (30 gives about 30, 0 lets the loop run as fast as it can),
# and a value it does not take is said on standard error and gives 60. The
# ranges are wide: the machine may be busy, and the benchmark
# (bench/demo_fps.sh) gives the close figures.
source "$(dirname "$0")/lib/common.sh" "$@"
# An emulated processor draws at its own speed: the rule itself is checked
# there by the unit tests.
[ ${#EMU[@]} -eq 0 ] || skip "presents a second under an emulator say nothing of the pace"
start_x
start_wm
cd "$BIN" || fail "no $BIN"
[ -f libvorn_present_counter.so ] || fail "no present counter in $BIN"

# expect LOW HIGH WHAT: the last run's rate lies in LOW .. HIGH.
expect() {
  [ "$RATE" -ge "$1" ] && [ "$RATE" -le "$2" ] || fail "$3: $COUNTED (expected $1 to $2 a second)"
  echo "$3: $COUNTED"
}

for program in vorn2112 vorn2112fs; do
  run_counted $program 3
  [ -z "$SAID" ] || fail "$program said: $SAID"
  expect 55 65 "$program"
done
run_counted vorn2112 3 VORN2112_FPS=30
expect 25 35 "VORN2112_FPS=30"
run_counted vorn2112 3 VORN2112_FPS=0
expect 90 100000 "VORN2112_FPS=0"
run_counted vorn2112fs 3 VORN2112_FPS=fast
expect 55 65 "VORN2112_FPS=fast"
[ "$SAID" = "vorn2112fs: VORN2112_FPS='fast' is not a whole number of frames a second from 1 to 1000 (or 0 for no waiting); showing 60 a second" ] ||
  fail "VORN2112_FPS=fast: said '$SAID'"
echo "VORN2112_FPS=fast said: $SAID"
