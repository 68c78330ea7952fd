# Shared by the Windows end-to-end scripts, on top of the desktop's (a
# private X server, waiting, failing): the release archive unpacked as a
# user would, and Wine to run its programs.
# Usage from a script: source "$(dirname "$0")/lib.sh" ARCHIVE NATIVE_BIN SOURCE_DIR WINE...
ARCHIVE=$(realpath -m "$1")
NATIVE=$(realpath -m "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib/common.sh" "$NATIVE" "$3"
shift 3
WINE=("$@")  # Wine's loader, with its prefix and quiet debug channels in the environment

[ -f "$ARCHIVE" ] || fail "no release archive $ARCHIVE"
cmake -E chdir "$WORK" cmake -E tar xf "$ARCHIVE" || fail "cannot unpack $ARCHIVE"
RELEASE=$(find "$WORK" -mindepth 1 -maxdepth 1 -type d -name 'vorn2112-windows-*')
[ -n "$RELEASE" ] || fail "$ARCHIVE holds no vorn2112-windows-* folder"

# Wine's session: its server kept running from the first program to the
# last, started with every standard stream closed (the services it starts
# would otherwise hold the test's output open), and ended with the test.
# The first program of a session fixes its X display: start it after
# start_x where the test needs one.
WINESERVER=("${WINE[@]:0:${#WINE[@]}-1}" "$(dirname "${WINE[-1]}")/wineserver")
wine_session() {
  local word
  for word in "${WINE[@]}"; do
    case $word in WINEPREFIX=*) mkdir -p "${word#WINEPREFIX=}" ;; esac  # a new prefix is made in it
  done
  { "${WINESERVER[@]}" -p && "${WINE[@]}" wineboot; } </dev/null >/dev/null 2>&1 ||
    fail "cannot start Wine (${WINE[*]})"
}
trap 'cleanup; "${WINESERVER[@]}" -k </dev/null >/dev/null 2>&1' EXIT

# Runs a Windows program of the release under Wine: wine PROGRAM ARGS...
wine() {
  local program=$1
  shift
  "${WINE[@]}" "$RELEASE/$program" "$@"
}

# The files the start-up layer redirects the demo's output into, beside it.
no_output_files() {
  local f
  for f in stdout.txt stderr.txt; do
    [ -e "$RELEASE/$f" ] && fail "$f left beside the program: $(cat "$RELEASE/$f")"
  done
  return 0
}

# The share of one core that the Windows program $1, started last in this
# Wine prefix, took over the next $2 seconds, in CPU (0.12).
cpu_share() {
  local program=$1 seconds=$2 pid= p word prefix= before after
  for word in "${WINE[@]}"; do
    case $word in WINEPREFIX=*) prefix=$word ;; esac
  done
  for p in $(pgrep -x "$program"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "$prefix" && pid=$p
  done
  [ -n "$pid" ] || fail "no process $program in this Wine prefix"
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  CPU=$(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.2f", t / hz / s }')
}
