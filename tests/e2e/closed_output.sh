# A standard output that nobody reads (a pipe whose reader has gone, or a
# closed descriptor) loses the messages written there and changes nothing
# else: the exit status stays what it would have been.
source "$(dirname "$0")/lib/common.sh" "$@"
cp "$BIN"/*.ppm "$BIN"/*.pbm "$WORK"/ || fail "no pictures in $BIN"
cd "$WORK" || exit 1

# Runs "$@" with its standard output on a pipe whose reading end is already
# closed, and SIGPIPE at its default (which ends a process that writes
# there); the status lands in STATUS.
run_reader_gone() {
  perl -e '$SIG{PIPE} = "DEFAULT"; pipe(my $r, my $w) or die; close $r;
           open(STDOUT, ">&", $w) or die; close $w; exec @ARGV or die' -- "$@"
  STATUS=$?
}

# The frame-rate line goes nowhere; the run still succeeds.
run_reader_gone "${EMU[@]}" "$BIN/vorn2112-capture" --count 3
[ "$STATUS" = 0 ] || fail "capture with its reader gone: status $STATUS"
"${EMU[@]}" "$BIN/vorn2112-capture" --count 3 >&- 2>"$WORK/err"
[ "$?" = 0 ] || fail "capture with standard output closed: status $?, said $(cat "$WORK/err")"

# A video stream that cannot be written is a failed run, and says why.
run_reader_gone "${EMU[@]}" "$BIN/vorn2112fs-capture" --count 3 --y4m - 2>"$WORK/err"
[ "$STATUS" = 1 ] || fail "--y4m - with its reader gone: status $STATUS"
grep -q "^vorn2112fs-capture: cannot write '-': Broken pipe$" "$WORK/err" ||
  fail "--y4m - said: $(cat "$WORK/err")"

# "IMG error" for a missing picture goes nowhere; the failure keeps status 1.
rm "$WORK/V.ppm"
run_reader_gone env SDL_VIDEODRIVER=dummy "${EMU[@]}" "$BIN/vorn2112" 2>"$WORK/err"
[ "$STATUS" = 1 ] || fail "demo with its reader gone: status $STATUS"
grep -q "^vorn2112: cannot load 'V.ppm'" "$WORK/err" || fail "demo said: $(cat "$WORK/err")"
run_reader_gone "${EMU[@]}" "$BIN/vorn2112-capture" 2>"$WORK/err"
[ "$STATUS" = 1 ] || fail "capture without V.ppm, its reader gone: status $STATUS"
echo "a standard output nobody reads keeps every exit status"
