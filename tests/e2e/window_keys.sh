# The windowed demo opens a 640 x 480 window titled VORN2112, ignores other
# keys and ends with status 0 on q.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
cd "$BIN" || fail "no $BIN"
./vorn2112 >"$WORK/out" 2>&1 &
APP_PID=$!
win=$(find_window) || fail "no window titled VORN2112"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x$HEIGHT"

press "$win" space
press "$win" a
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "space or a ended the demo"

press "$win" q
wait_exit "$APP_PID" 5 || fail "q did not end the demo within 5 s"
APP_PID=
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo "window opened 640x480, space ignored, q ended it with status 0"
