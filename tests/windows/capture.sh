# The Windows capture tools, as unpacked from the release archive, under
# Wine render frames 0-199 and 4000 of both programs byte for byte as the
# Linux build's do, as pictures and as a video stream on standard output
# (binary: no "\r\n" for "\n"), and say their frame rate on the console.
source "$(dirname "$0")/lib.sh" "$@"
wine_session
cd "$WORK" || exit 1
for program in vorn2112 vorn2112fs; do
  for build in linux windows; do
    # The native tool beside its pictures; the Windows one finds them beside itself.
    if [ $build = linux ]; then run=(cmake -E chdir "$NATIVE" "$NATIVE/$program-capture"); else run=(wine "$program-capture.exe"); fi
    "${run[@]}" --count 200 --out "$WORK/$build-$program" >/dev/null 2>"$WORK/err" &&
      "${run[@]}" --from 4000 --count 1 --out "$WORK/$build-$program" >/dev/null 2>>"$WORK/err" &&
      "${run[@]}" --count 30 --y4m - >"$build-$program.y4m" 2>>"$WORK/err" ||
      fail "$build $program-capture: $(cat "$WORK/err")"
  done
  diff -r "linux-$program" "windows-$program" >/dev/null || fail "$program: the Windows frames differ"
  [ "$(find "windows-$program" -name 'frame-*.ppm' | wc -l)" = 201 ] || fail "$program: not 201 frames"
  cmp "linux-$program.y4m" "windows-$program.y4m" || fail "$program: the Windows video stream differs"
  echo "$program-capture.exe: frames 0-199 and 4000 and the stream as the Linux build's"
done
rate=$(wine vorn2112-capture.exe --count 100 | tr -d '\r')
[[ $rate == "100 frames in "*" frames per second" ]] || fail "the rate line: $rate"
echo "the rate on the console: $rate"
