# The window's close request (the window manager's close, as the title bar's
# button or Alt+F4 give it) does not end the demo; q still does. A clock
# program, which does close on the request, shows first that the request is
# really sent.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
start_wm

# Waits up to 10 s until the window manager has taken window $1 in (it then
# sets WM_STATE on it), and asks it to close the window.
close_request() {
  for _ in $(seq 100); do
    xprop -id "$1" WM_STATE 2>/dev/null | grep -q Normal && break
    sleep 0.1
  done
  wmctrl -i -c "$1"
}

xclock -name vorn-close-probe &
probe=$!
for _ in $(seq 50); do
  id=$(xdotool search --classname vorn-close-probe 2>/dev/null | head -n 1)
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { kill "$probe"; fail "the clock opened no window"; }
close_request "$id"
wait_exit "$probe" 5 || { kill "$probe"; fail "the close request does not reach a window here"; }

cd "$BIN" || fail "no $BIN"
"${EMU[@]}" ./vorn2112 >"$WORK/out" 2>&1 &
APP_PID=$!
win=$(find_window) || fail "no window titled VORN2112"
close_request "$win"
survives "$win"
ends_on "$win" q
echo "the close request left the demo running; q ended it with status 0"
