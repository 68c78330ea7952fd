# The full-screen demo on a 1280 x 800 screen: where SDL 1.2 runs over SDL 2,
# the 320 x 200 mode fills the screen scaled 4 times by nearest pixel, so the
# screen is made of whole 4 x 4 blocks of one colour, unless the user asked
# for linear filtering (SDL12COMPAT_SCALE_METHOD=linear), which blurs them.
# The classic SDL 1.2 sets a real video mode and scales nothing: skipped.
source "$(dirname "$0")/lib/common.sh" "$@"
cd "$BIN" || fail "no $BIN"

# The library the demo loads (its dynamic loader lists them, as ldd has it
# do, also under an emulator); frame_check, built beside it, loads the same
# one and says its version (the compatibility layer's start at 1.2.50).
loaded() { with LD_TRACE_LOADED_OBJECTS=1 "$1"; }
sdl_of() { loaded "$1" | awk '/libSDL-1\.2\.so/ { print $3 }'; }
lib=$(sdl_of ./vorn2112fs)
[ -n "$lib" ] || fail "vorn2112fs loads no SDL 1.2: $(loaded ./vorn2112fs | grep -i sdl)"
[ "$(sdl_of ./frame_check)" = "$lib" ] || fail "frame_check loads another SDL than vorn2112fs"
version=$("${EMU[@]}" ./frame_check --sdl-version) || fail "no SDL version"
if [[ ! $version =~ ^1\.2\.([0-9]+)$ ]] || [ "${BASH_REMATCH[1]}" -lt 50 ]; then
  skip "$lib is the classic SDL $version, which sets a real video mode and scales nothing"
fi
case ${SDL12COMPAT_SCALE_METHOD-nearest} in
  nearest) ;;
  *) fail "SDL12COMPAT_SCALE_METHOD=$SDL12COMPAT_SCALE_METHOD is set; the default is under test" ;;
esac

start_x 1280x800x24
start_wm

# Runs the demo with the environment "${@:2}" ($1 names the case), waits until it covers the screen
# and shows the scene, and leaves in SHARE the percentage of 4 x 4 blocks of
# one colour on the screen; ends the demo with Escape.
measure() {
  env "${@:2}" "${EMU[@]}" ./vorn2112fs >"$WORK/out" 2>&1 &
  APP_PID=$!
  local win try lit shot=${1// /-}.ppm
  win=$(find_window) || fail "no window titled VORN2112"
  for try in $(seq 20); do
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "${WIDTH}x$HEIGHT@$X,$Y" = "1280x800@0,0" ] && break
    [ "$try" = 20 ] && fail "the full-screen window is ${WIDTH}x$HEIGHT at $X,$Y"
    sleep 0.5
  done
  for try in $(seq 10); do
    shoot root "$shot"
    "${EMU[@]}" ./frame_check --blocks 4 "$WORK/shots/$shot" >"$WORK/blocks" || fail "frame_check failed"
    read -r SHARE lit < <(sed -nE 's/^1280x800: ([0-9.]+)% .*, ([0-9.]+)% of the pixels lit$/\1 \2/p' \
      "$WORK/blocks")
    [ -n "$lit" ] && awk -v lit="$lit" 'BEGIN { exit !(lit > 20) }' && break
    [ "$try" = 10 ] && fail "the screen does not show the scene: $(cat "$WORK/blocks")"
    sleep 0.5
  done
  echo "$1: $(cat "$WORK/blocks")"
  ends_on "$win" Escape
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

measure "by default"
above "$SHARE" 99 || fail "the full screen is blurred: only $SHARE% of the 4 x 4 blocks are of one colour"
measure "asked for linear" SDL12COMPAT_SCALE_METHOD=linear
above 75 "$SHARE" || fail "SDL12COMPAT_SCALE_METHOD=linear was not honoured: $SHARE% of the blocks are of one colour"
echo "SDL $version: crisp by default, linear when asked for"
