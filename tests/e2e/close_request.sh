# The window's close request (the window manager's Alt+F4) does not end the
# demo; q still does. A clock program, which does close on the request, shows
# first that the request is really sent.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
start_wm
xclock -name vorn-close-probe &
probe=$!
for _ in $(seq 50); do
  id=$(xdotool search --classname vorn-close-probe 2>/dev/null | head -n 1)
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { kill "$probe"; fail "the clock opened no window"; }
press "$id" alt+F4
wait_exit "$probe" 5 || { kill "$probe"; fail "Alt+F4 sends no close request here"; }

cd "$BIN" || fail "no $BIN"
./vorn2112 >"$WORK/out" 2>&1 &
APP_PID=$!
win=$(find_window) || fail "no window titled VORN2112"
survives "$win" alt+F4
ends_on "$win" q
echo "the close request left the demo running; q ended it with status 0"
