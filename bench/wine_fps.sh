#!/usr/bin/env bash
# The Windows demo's frames under Wine in a real window (Xvfb): vorn2112.exe
# from the release archive runs for SECONDS at its default rate and again
# with VORN2112_FPS=0 (no waiting). Wine's trace of its blits to the window
# (one a frame, with Wine's timestamps, to the millisecond; the first ten
# left out, as the counter of bench/demo_fps.sh does) gives the presents a
# second and the 95th percentile of the intervals between them;
# the process's own processor time gives its share of one core (over the
# last half of the run, as the trace itself costs a little).
#   bash bench/wine_fps.sh [ARCHIVE] [SECONDS]
# ARCHIVE defaults to build-windows/vorn2112-windows-*.zip; SECONDS to 10.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
ARCHIVE=${1:-$(ls "$ROOT"/build-windows/vorn2112-windows-*.zip 2>/dev/null | head -n 1)}
SECONDS_RUN=${2:-10}
WINE_LOADER=$(command -v wine64 || echo /usr/lib/wine/wine64)
PREFIX=$(mktemp -d)
source "$ROOT/tests/windows/lib.sh" "$ARCHIVE" "$ROOT/build/bin" "$ROOT" /usr/bin/env \
  WINEPREFIX="$PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= "$WINE_LOADER"
trap 'cleanup; "${WINESERVER[@]}" -k </dev/null >/dev/null 2>&1; rm -rf "$PREFIX"' EXIT
start_x
start_wm
wine_session
cd "$RELEASE" || exit 1
for fps in default 0; do
  rate=()
  [ $fps = default ] || rate=(VORN2112_FPS=$fps)
  "${WINE[@]:0:${#WINE[@]}-1}" "${rate[@]}" WINEDEBUG=-all,+timestamp,trace+bitblt "${WINE[-1]}" \
    "$RELEASE/vorn2112.exe" >/dev/null 2>"$WORK/trace" &
  APP_PID=$!
  win=$(find_window) || fail "vorn2112.exe opened no window"
  sleep $((SECONDS_RUN / 2))
  cpu_share vorn2112.exe $((SECONDS_RUN - SECONDS_RUN / 2))
  ends_on "$win" q
  grep 'NtGdiStretchBlt.*log=0,0 640x480 phys.*dst.*log=0,0 640x480.*rop=cc0020' "$WORK/trace" |
    cut -d: -f1 | tail -n +11 >"$WORK/times"
  [ -s "$WORK/times" ] || fail "Wine traced no blits of vorn2112.exe's frames"
  p95=$(awk 'NR > 1 { print 1000 * ($1 - last) } { last = $1 }' "$WORK/times" | sort -n |
    awk '{ gap[NR] = $1 } END { print gap[int(NR * 0.95)] }')
  awk -v label="$([ $fps = default ] && echo paced || echo VORN2112_FPS=0)" -v cpu="$CPU" -v p95="$p95" '
    NR == 1 { first = $1 }
    { last = $1 }
    END {
      printf "vorn2112.exe %-14s %d in %.2f s: %.1f per second, p95 interval %.0f ms, CPU %s of a core\n",
        label, NR, last - first, (NR - 1) / (last - first), p95, cpu
    }' "$WORK/times"
done
