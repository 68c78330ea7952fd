# The windowed demo opens a 640 x 480 window titled VORN2112 that shows the
# scene, ignores other keys and ends with status 0 on q.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
cd "$BIN" || fail "no $BIN"
"${EMU[@]}" ./vorn2112 >"$WORK/out" 2>&1 &
APP_PID=$!
win=$(find_window) || fail "no window titled VORN2112"
shows_scene "$win"

# F2 and the arrows have symbols above 255; F2's low byte is Escape's.
survives "$win" space a F2 Up Down Left Right
ends_on "$win" q
echo "window opened 640x480, space, a, F2 and the arrows ignored, q ended it with status 0"
