# Each allocation of a capture run failing in turn (a preloaded library makes
# the chosen one give null): the run either writes exactly the frames of a
# normal run and exits 0, or exits 1 with a message on standard error; never
# a signal, never a success with wrong frames.
source "$(dirname "$0")/lib/common.sh" "$@"
SHIM=$BIN/libvorn_alloc_fail.so
[ -f "$SHIM" ] || skip "no $SHIM in this build"
cp "$BIN"/*.ppm "$BIN"/*.pbm "$WORK"/ || fail "no pictures in $BIN"
cd "$WORK" || exit 1

# sweep NAME OPTIONS...: the files a run writes, and its standard output when
# the video goes there, are compared with those of the normal run.
sweep() {
  local name=$1 status n drew=0 stopped=0
  shift
  local videoOut=
  [ "${*: -1}" = - ] && videoOut=1
  rm -rf out ./*.y4m
  VORN_COUNT_ALLOCATIONS=$WORK/count with LD_PRELOAD="$SHIM" "$BIN/vorn2112-capture" --count 3 "$@" \
    >normal.out 2>normal.err || fail "$name: the normal run failed: $(cat normal.err)"
  rm -rf normal && mkdir normal && { [ ! -d out ] || mv out normal/; } && mv ./*.y4m normal.out normal/ 2>/dev/null
  local total
  total=$(cat count)
  for n in $(seq "$total"); do
    rm -rf out ./*.y4m
    VORN_FAIL_ALLOCATION=$n with LD_PRELOAD="$SHIM" "$BIN/vorn2112-capture" --count 3 "$@" >run.out 2>run.err
    status=$?
    case $status in
      0)
        [ ! -d out ] || diff -r out normal/out >/dev/null || fail "$name: allocation $n: other frames, status 0"
        for video in ./*.y4m; do
          [ -e "$video" ] || continue
          cmp -s "$video" "normal/$video" || fail "$name: allocation $n: another video, status 0"
        done
        [ -z "$videoOut" ] || cmp -s run.out normal/normal.out ||
          fail "$name: allocation $n: another video on standard output, status 0"
        drew=$((drew + 1)) ;;
      1)
        grep -q "^vorn2112-capture: " run.err || fail "$name: allocation $n: status 1 without a message"
        stopped=$((stopped + 1)) ;;
      *) fail "$name: allocation $n: status $status, said $(cat run.err)" ;;
    esac
  done
  echo "$name: $total allocations failed in turn; $drew runs wrote every frame, $stopped stopped with a message"
}

sweep "frames and a video file" --out out --y4m video.y4m
sweep "video on standard output" --y4m -
