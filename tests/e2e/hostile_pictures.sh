# Pictures that never end, block, are too large or are cut short: both
# programs end with status 1 within 5 seconds and say which file and why.
source "$(dirname "$0")/lib/common.sh" "$@"
cp "$BIN"/*.ppm "$BIN"/*.pbm "$WORK"/ || fail "no pictures in $BIN"
cd "$WORK" || exit 1

# expect_refusal REASON: both programs refuse V.ppm as it stands now.
expect_refusal() {
  local program
  for program in vorn2112 vorn2112-capture; do
    SDL_VIDEODRIVER=dummy "${EMU[@]}" "$BIN/$program" >"$WORK/out" 2>"$WORK/err" &
    APP_PID=$!
    wait_exit "$APP_PID" 5 || fail "$program still runs with V.ppm as $1"
    APP_PID=
    [ "$STATUS" = 1 ] || fail "$program: status $STATUS with V.ppm as $1"
    grep -qx "$program: cannot load 'V.ppm': $1" "$WORK/err" || fail "$program said: $(cat "$WORK/err")"
  done
  echo "V.ppm $1: status 1"
}

rm V.ppm
ln -s /dev/zero V.ppm
expect_refusal "not a regular file"
rm V.ppm
mkfifo V.ppm
expect_refusal "not a regular file"
rm V.ppm
printf 'P6\n65536 65536\n255\n' >V.ppm
expect_refusal "65536 x 65536 is over the limit of 268435456 pixels"
printf 'P6\n# a picture cut short\n96' >V.ppm
expect_refusal "header cut short"
printf 'P6\n%65536s\n96 112 255\n' "" >V.ppm
expect_refusal "no complete header in the first 65536 bytes"
