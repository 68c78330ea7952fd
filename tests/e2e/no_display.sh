# Without any display the demo says so, in one line, and exits with status 1
# at once, instead of running invisibly. Without XDG_RUNTIME_DIR no video
# driver may add a complaint of its own.
source "$(dirname "$0")/lib/common.sh" "$@"
cd "$BIN" || fail "no $BIN"
for program in vorn2112 vorn2112fs; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR "${EMU[@]}" "./$program" >"$WORK/out" 2>"$WORK/err" &
  APP_PID=$!
  wait_exit "$APP_PID" 5 || fail "$program still runs without a display"
  APP_PID=
  [ "$STATUS" = 1 ] || fail "$program: exit status $STATUS"
  grep -qx "$program: cannot open a .* no display" "$WORK/err" && [ "$(wc -l <"$WORK/err")" = 1 ] ||
    fail "$program said: $(cat "$WORK/err")"
  echo "$program: $(cat "$WORK/err")"
done
