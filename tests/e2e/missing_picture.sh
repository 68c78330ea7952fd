# A missing picture is named on standard error with the places looked in, an
# unreadable one with the reason, and the demo exits with status 1 without
# drawing a frame.
source "$(dirname "$0")/lib/common.sh" "$@"
cp "$BIN"/*.ppm "$BIN"/*.pbm "$WORK"/ || fail "no pictures in $BIN"
rm "$WORK/V.ppm"
cd "$WORK" || exit 1
SDL_VIDEODRIVER=dummy "${EMU[@]}" "$BIN/vorn2112" >"$WORK/out" 2>"$WORK/err" &
APP_PID=$!
wait_exit "$APP_PID" 5 || fail "the demo runs without V.ppm"
APP_PID=
[ "$STATUS" = 1 ] || fail "exit status $STATUS"
# Not here, and not in the picture folder beside the build's programs either.
expected="vorn2112: cannot load 'V.ppm': not in the working directory nor in $(cd "$BIN/.." && pwd -P)/share/games/vorn2112"
[ "$(cat "$WORK/err")" = "$expected" ] || fail "said: $(cat "$WORK/err")"

: >"$WORK/vorn-rainbow.ppm"  # present but unreadable
cp "$BIN/V.ppm" "$WORK/"
"${EMU[@]}" "$BIN/vorn2112-capture" >"$WORK/out" 2>"$WORK/err"
STATUS=$?
[ "$STATUS" = 1 ] || fail "capture: exit status $STATUS"
grep -qx "vorn2112-capture: cannot load 'vorn-rainbow.ppm': not a PNM picture" "$WORK/err" || fail "said: $(cat "$WORK/err")"

# Video on standard output: without its pictures the tool writes no video at
# all, and every message, the image module's too, goes to standard error.
"${EMU[@]}" "$BIN/vorn2112-capture" --count 2 --y4m - >"$WORK/out" 2>"$WORK/err"
STATUS=$?
[ "$STATUS" = 1 ] || fail "capture --y4m -: exit status $STATUS"
[ ! -s "$WORK/out" ] || fail "capture --y4m - wrote $(wc -c <"$WORK/out") bytes without its pictures"
grep -qx "IMG error" "$WORK/err" || fail "capture --y4m -: the module's report is not on standard error"
echo "missing and unreadable pictures are named, status 1"
