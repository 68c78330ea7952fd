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
