# The windowed demo opens a 640 x 480 window titled VORN2112 that shows the
# scene, ignores other keys and ends with status 0 on q.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
cd "$BIN" || fail "no $BIN"
./vorn2112 >"$WORK/out" 2>&1 &
APP_PID=$!
win=$(find_window) || fail "no window titled VORN2112"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x$HEIGHT"

# A screenshot of the window shows the scene. The message starts with a
# screen of blanks, so give the text a few tries to scroll in.
for try in 1 2 3 4 5 6 7 8; do
  shoot "$win" window.ppm
  "$BIN/frame_check" "$WORK/shots/window.ppm" >"$WORK/check" && break
  [ "$try" = 8 ] && fail "the window does not show the scene: $(cat "$WORK/check")"
  sleep 1
done
echo "screenshot: $(cat "$WORK/check")"

# F2 and the arrows have symbols above 255; F2's low byte is Escape's.
survives "$win" space a F2 Up Down Left Right
ends_on "$win" q
echo "window opened 640x480, space, a, F2 and the arrows ignored, q ended it with status 0"
