# The Windows demo, as unpacked from the release archive, under Wine and a
# real X server: the window shows the scene, other keys are ignored, the
# demo takes a small share of a core (it sleeps between its 60 frames a
# second), q ends it with status 0 and no stdout.txt or stderr.txt stays
# behind; started from
# another folder it finds its pictures beside itself; without a picture it
# ends with status 1 and its reason in stderr.txt beside the program.
source "$(dirname "$0")/lib.sh" "$@"
start_x
start_wm
wine_session

# start PROGRAM: starts a demo of the release from the current folder.
start() {
  wine "$1" >"$WORK/out" 2>&1 &
  APP_PID=$!
  win=$(find_window) || fail "$1: no window titled VORN2112"
}

cd "$RELEASE" || exit 1
start vorn2112.exe
shows_scene "$win"
survives "$win" space a F2 Up
cpu_share vorn2112.exe 3
awk -v c="$CPU" 'BEGIN { exit !(c < 0.4) }' || fail "vorn2112.exe took $CPU of a core at 60 frames a second"
ends_on "$win" q
no_output_files
echo "vorn2112.exe showed the scene, ignored other keys, took $CPU of a core, ended on q with status 0"

mkdir -p "$WORK/elsewhere" && cd "$WORK/elsewhere" || exit 1
start vorn2112fs.exe
ends_on "$win" Escape
no_output_files
echo "vorn2112fs.exe started from another folder found its pictures, ended on Escape with status 0"

mv "$RELEASE/V.ppm" "$WORK/"
wine vorn2112.exe >"$WORK/out" 2>&1 &
APP_PID=$!
wait_exit "$APP_PID" 30 || fail "the demo runs without V.ppm"
APP_PID=
[ "$STATUS" = 1 ] || fail "without V.ppm: exit status $STATUS"
[ -f "$RELEASE/stderr.txt" ] || fail "without V.ppm: no stderr.txt beside the program"
said=$(tr -d '\r' <"$RELEASE/stderr.txt")
case $said in
  "vorn2112: cannot load 'V.ppm': not in the working directory nor in "*/vorn2112-windows-*) ;;
  *) fail "without V.ppm, stderr.txt says: $said" ;;
esac
[ -e "$RELEASE/stdout.txt" ] && fail "an empty stdout.txt stayed"
echo "without V.ppm: status 1, stderr.txt says: $said"
