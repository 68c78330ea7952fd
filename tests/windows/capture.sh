# The Windows capture tools, as unpacked from the release archive, under
# Wine render frames 0-199 and 4000 of both programs byte for byte as the
# Linux build's do, as pictures and as a video stream on standard output
# (binary: no "\r\n" for "\n"), and say their frame rate on the console;
# arguments and folders beyond ASCII work.
source "$(dirname "$0")/lib.sh" "$@"
wine_session
cd "$WORK" || exit 1
for program in vorn2112 vorn2112fs; do
  same_frames "$NATIVE/$program-capture" windows wine "$program-capture.exe"
done
# Arguments in UTF-8 whatever Wine's code page, and folders named with
# letters beyond ASCII and spaces: the release moved into such a folder and
# started from another finds its pictures beside itself and writes into such
# a folder; a folder it cannot make is named in its message as given.
place="$WORK/Démo Ordner € ř"
mkdir -p "$place" "$WORK/elsewhere" && cp -r "$RELEASE" "$place/" || fail "cannot copy the release"
moved=("${WINE[@]}" "$place/$(basename "$RELEASE")/vorn2112-capture.exe")
out="$WORK/Ausgabe ü € ř"
(cd "$WORK/elsewhere" && "${moved[@]}" --count 3 --out "$out") >/dev/null 2>"$WORK/err" ||
  fail "--out '$out': $(cat "$WORK/err")"
for frame in 000000 000001 000002; do
  cmp "$out/frame-$frame.ppm" "$WORK/native-vorn2112-capture/frame-$frame.ppm" || fail "frame $frame in '$out'"
done
: >"$WORK/Datei ü"
(cd "$WORK/elsewhere" && "${moved[@]}" --count 1 --out "$WORK/Datei ü/Bilder") >/dev/null 2>"$WORK/err" &&
  fail "--out under a file succeeded"
said=$(tr -d '\r' <"$WORK/err")
[[ $said == "vorn2112-capture: cannot make '$WORK/Datei ü/Bilder': "* ]] || fail "the message: $said"
echo "UTF-8 arguments: frames written into '$out' by the release in '$place'; $said"

rate=$(wine vorn2112-capture.exe --count 100 | tr -d '\r')
[[ $rate == "100 frames in "*" frames per second" ]] || fail "the rate line: $rate"
echo "the rate on the console: $rate"
