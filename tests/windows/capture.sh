# The Windows capture tools, as unpacked from the release archive, under
# Wine render frames 0-199 and 4000 of both programs byte for byte as the
# Linux build's do, as pictures and as a video stream on standard output
# (binary: no "\r\n" for "\n"), and say their frame rate on the console.
source "$(dirname "$0")/lib.sh" "$@"
wine_session
cd "$WORK" || exit 1
for program in vorn2112 vorn2112fs; do
  same_frames "$NATIVE/$program-capture" windows wine "$program-capture.exe"
done
rate=$(wine vorn2112-capture.exe --count 100 | tr -d '\r')
[[ $rate == "100 frames in "*" frames per second" ]] || fail "the rate line: $rate"
echo "the rate on the console: $rate"
