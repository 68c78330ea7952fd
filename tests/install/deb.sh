# Builds the Debian package, checks it with lintian, installs it on this
# machine (needs root) and meets it as a user would: the menu entry, the
# manual pages, the demo typed in a folder without pictures, the capture
# tool; and as a programmer would, building the example against it. Purges the package at the end, also when a check fails, and checks
# that nothing of it is left.
# A cross build's package (MODE check) is only made and checked: its
# architecture is the target's, and this machine does not install it.
# Usage: deb.sh BUILD_DIR SOURCE_DIR [install|check]
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
MODE=${3:-install}
source "$SRC/tests/e2e/lib/common.sh" "$BUILD/bin" "$SRC"
[ "$MODE" = check ] || [ "$(id -u)" = 0 ] || skip "installing the package needs root"
APT=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -qq)
purge() {
  dpkg -s vorn2112 >/dev/null 2>&1 && "${APT[@]}" purge vorn2112 >/dev/null 2>&1
}
trap 'purge; cleanup' EXIT

rm -f "$BUILD"/vorn2112_*.deb
(cd "$BUILD" && cpack -G DEB) >"$WORK/cpack.log" 2>&1 || fail "cpack: $(tail -n 20 "$WORK/cpack.log")"
DEB=$(ls "$BUILD"/vorn2112_*_*.deb)
[ -f "$DEB" ] || fail "no package made"
echo "package: $(basename "$DEB"), $(stat -c %s "$DEB") bytes"
lintian --fail-on error,warning "$DEB" 2>&1 | grep -v '^running with root' | tee "$WORK/lintian"
[ "${PIPESTATUS[0]}" = 0 ] || fail "lintian"
dpkg-deb -f "$DEB" Section | grep -qx games || fail "section $(dpkg-deb -f "$DEB" Section)"
dpkg-deb -f "$DEB" Depends | grep -q 'libsdl1.2debian' || fail "depends: $(dpkg-deb -f "$DEB" Depends)"
if [ "$MODE" = check ]; then
  arch=$(dpkg-deb -f "$DEB" Architecture)
  [ "$(basename "$DEB")" = "vorn2112_$(dpkg-deb -f "$DEB" Version)_$arch.deb" ] || fail "named $(basename "$DEB")"
  echo "package: $arch, lintian clean (which checks the programs are of that architecture)"
  exit 0
fi

purge  # a copy left by an earlier run
"${APT[@]}" install "$DEB" >"$WORK/apt.log" 2>&1 || fail "apt-get install: $(tail -n 5 "$WORK/apt.log")"
dpkg-query -L vorn2112 >"$WORK/files"
man -w vorn2112 | grep -qx /usr/share/man/man6/vorn2112.6.gz || fail "man -w vorn2112: $(man -w vorn2112 2>&1)"
man -w vorn2112-capture >/dev/null 2>&1 || fail "no page for vorn2112-capture"
MANWIDTH=80 man vorn2112fs 2>/dev/null | grep -q 'EXIT STATUS' || fail "man vorn2112fs does not show the page"
ENTRY=/usr/share/applications/vorn2112.desktop
desktop-file-validate "$ENTRY" || fail "desktop-file-validate"
grep -qx 'Exec=vorn2112' "$ENTRY" || fail "the menu entry starts: $(grep Exec "$ENTRY")"

# The menu entry's command, in a folder without pictures, on a user's PATH.
mkdir "$WORK/home" && cd "$WORK/home" || exit 1
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
[ "$(command -v vorn2112)" = /usr/games/vorn2112 ] || fail "vorn2112 on the PATH: $(command -v vorn2112)"
start_x
vorn2112 >"$WORK/out" 2>&1 &
APP_PID=$!
win=$(find_window) || fail "no window titled VORN2112: $(cat "$WORK/out")"
ends_on "$win" q
vorn2112-capture --count 1 --out "$WORK/frames" || fail "the installed capture tool"
(cd "$BUILD/bin" && ./vorn2112-capture --count 1 --out "$WORK/tree") >/dev/null || fail "the tree's capture tool"
cmp -s "$WORK/frames/frame-000000.ppm" "$WORK/tree/frame-000000.ppm" || fail "the installed tool renders another frame 0"
[ -z "$(ls -A "$WORK/home")" ] || fail "the programs left files in the working directory: $(ls -A "$WORK/home")"
cd "$WORK" || exit 1

# A programmer's view: the example builds against the package as installed.
cmake -S "$SRC/examples" -B "$WORK/example" >"$WORK/example.log" 2>&1 &&
  cmake --build "$WORK/example" >>"$WORK/example.log" 2>&1 || fail "example build: $(tail -n 20 "$WORK/example.log")"
"$WORK/example/postcard" /usr/share/games/vorn2112 "$WORK/postcard.ppm" || fail "the example did not run"
"$BUILD/bin/vorn2112-postcard" "$BUILD/bin" "$WORK/tree.ppm" && cmp -s "$WORK/tree.ppm" "$WORK/postcard.ppm" ||
  fail "the example built against the package draws another picture"

"${APT[@]}" purge vorn2112 >"$WORK/apt.log" 2>&1 || fail "apt-get purge: $(tail -n 5 "$WORK/apt.log")"
dpkg -s vorn2112 >/dev/null 2>&1 && fail "still known to dpkg after the purge"
while read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && fail "left after the purge: $path"
done <"$WORK/files"
for dir in /usr/share/games/vorn2112 /usr/include/vorn2112 /usr/share/doc/vorn2112 \
  /usr/lib/*/cmake/VORN2112; do
  [ -e "$dir" ] && fail "left after the purge: $dir"
done
echo "package: lintian clean, installed, the demo started from the menu's command and ended on q, the example built against it, purged without a trace"
