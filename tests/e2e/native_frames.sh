# A cross build's capture tools, run through the emulator of its processor,
# render frames 0-199 and 4000 of both programs and their video streams byte
# for byte as the native build's do.
# Usage: native_frames.sh BIN SOURCE_DIR NATIVE_BIN LABEL
source "$(dirname "$0")/lib/common.sh" "$@"
NATIVE=$(realpath -m "$3")
[ -x "$NATIVE/vorn2112-capture" ] || fail "no native capture tool in $NATIVE (build the release preset)"
cd "$BIN" || fail "no $BIN"
for program in vorn2112 vorn2112fs; do
  same_frames "$NATIVE/$program-capture" "$4" "${EMU[@]}" "./$program-capture"
done
