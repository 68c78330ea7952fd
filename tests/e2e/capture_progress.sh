# A capture's progress line: on a terminal (a pseudo-terminal from script)
# it shows frames done of the total, the rate and the time left, rewrites
# itself a few times a second at most, and is blanked before the rate line;
# with standard error in a file nothing of it is written.
source "$(dirname "$0")/lib/common.sh" "$@"
cd "$BIN" || fail "no $BIN"
command -v script >/dev/null || skip "no script(1) for a pseudo-terminal"

# Runs "$1" on a pseudo-terminal, its transcript into $WORK/tty.
on_tty() {
  script -qfec "$1" /dev/null >"$WORK/tty" 2>&1
}

count=6000
began=$(date +%s%N)
on_tty "${EMU[*]} ./vorn2112-capture --count $count" || fail "the capture on a terminal failed"
seconds=$((($(date +%s%N) - began) / 1000000000 + 1))
lines=$(tr '\r' '\n' <"$WORK/tty")
shown=$(grep -cE "^frame [0-9]+ of $count, [0-9]+ frames/s, [0-9]+:[0-9]{2} left *$" <<<"$lines")
[ "$shown" -ge 1 ] || fail "no progress line on a terminal: $(od -c "$WORK/tty" | head -n 5)"
[ "$shown" -le $((seconds * 4 + 1)) ] || fail "$shown progress lines in about $seconds s"
# Every progress line rewrites the one before: none ends with a newline.
grep -qE $'left *\r?$' "$WORK/tty" && fail "a progress line ended with a newline"
# The line is blanked, so the rate line on standard output starts clean.
grep -qE "^$count frames in .* frames per second$" <<<"$lines" ||
  fail "the rate line did not start a clean line: $(tail -c 200 "$WORK/tty" | od -c | tail -n 6)"
grep -vE '^ *$' <<<"$lines" | tail -n 1 | grep -q "^$count frames in" ||
  fail "the progress line was left over the end"

# Standard output on the terminal, standard error in a file: nothing of it.
on_tty "${EMU[*]} ./vorn2112fs-capture --count 10000 --y4m /dev/null 2>'$WORK/err'" ||
  fail "the capture with standard error in a file failed"
[ ! -s "$WORK/err" ] || fail "progress written to a file: $(head -c 200 "$WORK/err" | od -c | head -n 3)"
[ ! -s "$WORK/tty" ] || fail "the video capture wrote on the terminal: $(head -c 200 "$WORK/tty")"
echo "progress: $shown lines in about $seconds s on a terminal, none in a file"
