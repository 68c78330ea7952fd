# The capture tools: options, errors, PPM frames and a video stream that
# ffmpeg reads.
source "$(dirname "$0")/lib/common.sh" "$@"
cd "$BIN" || fail "no $BIN"

"${EMU[@]}" ./vorn2112-capture --help | grep -q -- '--from N' || fail "--help"
for bad in "--bogus" "--count" "--count -3" "--from x" "--out"; do
  # shellcheck disable=SC2086
  "${EMU[@]}" ./vorn2112-capture $bad >/dev/null 2>"$WORK/err"
  STATUS=$?
  [ "$STATUS" = 2 ] || fail "'$bad' gave status $STATUS"
  grep -q "vorn2112-capture: " "$WORK/err" || fail "'$bad' said nothing clear"
done

"${EMU[@]}" ./vorn2112-capture --from 3 --count 2 --out "$WORK/frames" || fail "--out"
[ "$(ls "$WORK/frames")" = "$(printf 'frame-000003.ppm\nframe-000004.ppm')" ] || fail "files: $(ls "$WORK/frames")"
pamfile "$WORK/frames/frame-000003.ppm" | grep -q 'PPM raw, 640 by 480  maxval 255' ||
  fail "frame: $(pamfile "$WORK/frames/frame-000003.ppm")"
"${EMU[@]}" ./vorn2112-capture --from 4 --count 1 --out "$WORK/again" || fail "--out again"
cmp -s "$WORK/frames/frame-000004.ppm" "$WORK/again/frame-000004.ppm" || fail "frame 4 differs between runs"

"${EMU[@]}" ./vorn2112fs-capture --count 5 --y4m "$WORK/fs.y4m" || fail "--y4m"
probe=$(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=width,height,nb_read_frames -of csv=p=0 "$WORK/fs.y4m")
[ "$probe" = "320,200,5" ] || fail "ffprobe read '$probe'"
"${EMU[@]}" ./vorn2112fs-capture --count 2 --y4m - 2>/dev/null | ffprobe -v error -show_entries stream=width -of csv=p=0 - |
  grep -qx 320 || fail "--y4m -"

# Failures name the file and say why.
long=$WORK/$(printf 'd%.0s' $(seq 4085))
"${EMU[@]}" ./vorn2112-capture --out "$long" >/dev/null 2>"$WORK/err"
STATUS=$?
[ "$STATUS" = 2 ] || fail "a folder name too long for the frames gave status $STATUS"
grep -q "^vorn2112-capture: --out: the folder name is too long" "$WORK/err" ||
  fail "too long a folder name: $(cat "$WORK/err")"
"${EMU[@]}" ./vorn2112fs-capture --count 2 --y4m /dev/full 2>"$WORK/err"
STATUS=$?
[ "$STATUS" = 1 ] || fail "--y4m /dev/full gave status $STATUS"
grep -qx "vorn2112fs-capture: cannot write '/dev/full': No space left on device" "$WORK/err" ||
  fail "--y4m /dev/full: $(cat "$WORK/err")"
mkdir -p "$WORK/taken/frame-000000.ppm"
"${EMU[@]}" ./vorn2112fs-capture --out "$WORK/taken" >/dev/null 2>"$WORK/err"
STATUS=$?
[ "$STATUS" = 1 ] || fail "a frame name taken by a folder gave status $STATUS"
grep -qx "vorn2112fs-capture: cannot write frame 0 into '$WORK/taken': Is a directory" "$WORK/err" ||
  fail "frame name taken: $(cat "$WORK/err")"

"${EMU[@]}" ./vorn2112fs-capture --count 30 | grep -qE '^30 frames in .* frames per second$' || fail "rate line"
echo "capture tools: options, PPM frames and Y4M stream all good"
