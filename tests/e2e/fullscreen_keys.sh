# The full-screen demo covers the screen (SDL 2 scales its 320 x 200 mode up
# to the desktop; the classic library names a 320 x 200 window and covers the
# screen with another),
# is titled VORN2112 and ends with status 0 on Escape; Shift+Q ends it too.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
start_wm
cd "$BIN" || fail "no $BIN"
for key in Escape shift+q; do
  "${EMU[@]}" ./vorn2112fs >"$WORK/out" 2>&1 &
  APP_PID=$!
  win=$(find_window) || fail "no window titled VORN2112"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "${WIDTH}x$HEIGHT@$X,$Y" = "1024x768@0,0" ] || [ "${WIDTH}x$HEIGHT" = 320x200 ] ||
    fail "the full-screen window is ${WIDTH}x$HEIGHT at $X,$Y"
  survives "$win" space
  ends_on "$win" "$key"
  echo "$key ended the full-screen demo with status 0"
done
