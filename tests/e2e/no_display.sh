# Without any display the demo says so and exits with status 1 at once,
# instead of running invisibly.
source "$(dirname "$0")/lib/common.sh" "$@"
cd "$BIN" || fail "no $BIN"
for program in vorn2112 vorn2112fs; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "./$program" >"$WORK/out" 2>"$WORK/err" &
  APP_PID=$!
  wait_exit "$APP_PID" 5 || fail "$program still runs without a display"
  APP_PID=
  [ "$STATUS" = 1 ] || fail "$program: exit status $STATUS"
  grep -q "^$program: cannot open a .* no display$" "$WORK/err" || fail "$program said: $(cat "$WORK/err")"
  echo "$program: $(cat "$WORK/err")"
done
