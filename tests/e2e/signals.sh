# SIGTERM and SIGINT (kill, Ctrl+C) still end the demo, although SDL turns
# them into quit events that the demo ignores like the window's close button.
source "$(dirname "$0")/lib/common.sh" "$@"
start_x
cd "$BIN" || fail "no $BIN"
for signal in TERM INT; do
  "${EMU[@]}" ./vorn2112 >"$WORK/out" 2>&1 &
  APP_PID=$!
  find_window >/dev/null || fail "no window titled VORN2112"
  kill -s "$signal" "$APP_PID"
  wait_exit "$APP_PID" 5 || fail "SIG$signal did not end the demo"
  APP_PID=
  echo "SIG$signal ended the demo (status $STATUS)"
done
