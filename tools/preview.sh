#!/usr/bin/env bash
# Makes the README's moving preview: four seconds of the full-screen demo
# (frames 360 to 599, where the message scrolls in under the flying letters
# and the dissolved moor shimmers), every second frame at 30 frames a second
# so that it plays at the demo's own speed, as an endlessly looping animated
# WebP. The capture tool renders the frames; ffmpeg encodes them with libwebp.
#   bash tools/preview.sh [BUILD_DIR [OUTPUT]]   (build, docs/preview.webp by default)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
BUILD=${1:-build}
OUT=${2:-docs/preview.webp}
FROM=360
COUNT=240
QUALITY=75
LIMIT=1500000 # at most 1.5 MB for a README visitor to download

capture=$BUILD/bin/vorn2112fs-capture
[ -x "$capture" ] || { echo "no $capture: build first (cmake --build $BUILD)" >&2; exit 1; }
[[ $(ffmpeg -hide_banner -encoders 2>/dev/null) == *libwebp_anim* ]] ||
  { echo "this ffmpeg has no libwebp_anim encoder" >&2; exit 1; }
mkdir -p "$(dirname "$OUT")" && OUT=$(cd "$(dirname "$OUT")" && pwd)/$(basename "$OUT") || exit 1

# The capture tool reads the pictures from its working directory, the build's
# bin folder. Both ends of the pipe must succeed.
(cd "$BUILD/bin" && ./vorn2112fs-capture --from $FROM --count $COUNT --y4m -) |
  ffmpeg -v error -y -f yuv4mpegpipe -i - -vf "select='not(mod(n,2))',setpts=N/30/TB" -r 30 \
    -c:v libwebp_anim -lossless 0 -quality $QUALITY -loop 0 "$OUT" || exit 1
size=$(stat -c %s "$OUT")
[ "$size" -le $LIMIT ] || { echo "$OUT is $size bytes, more than $LIMIT" >&2; exit 1; }
echo "$OUT: $((COUNT / 2)) frames, $size bytes"
