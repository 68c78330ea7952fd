#!/usr/bin/env bash
# Cross-builds SDL 1.2 for 64-bit Windows into the prefix DIR: DIR/bin/SDL.dll,
# DIR/bin/sdl-config, DIR/lib/libSDL.dll.a, DIR/lib/libSDLmain.a,
# DIR/lib/pkgconfig/sdl.pc and DIR/include/SDL, and for the release beside
# the library its licence and the Debian version of its source
# (DIR/share/doc/SDL/COPYING, debian-version). cmake/toolchain-mingw-w64.cmake
# looks for it in the build folder's sdl.
#
# The source is Debian's own package (libsdl1.2), fetched with apt-get source,
# which applies Debian's patches. The machine's apt sources often list binary
# packages only, so the fetch runs under a private apt configuration in DIR/apt
# whose deb-src entries are copied from the machine's deb entries; the machine's
# apt configuration is never changed. One Debian patch is taken back out:
# dont_propagate_lpthread.diff drops the platform's libraries from sdl-config
# --libs and sdl.pc, which on Windows are -lmingw32 -lSDLmain -mwindows, so
# without them a program has no WinMain.
#
# The shipped configure script is used as it is (Debian regenerates it, but its
# patches to configure.in concern X11 only), so no autotools are needed.
# Installs what the build itself needs when it is missing (the MinGW-w64 C
# compiler with POSIX threads, dpkg-dev for dpkg-source, make, patch); running
# the result under Wine is left to the caller.
#
# Quiet: the logs go to DIR/*.log and are shown when a step fails. A second run
# over a finished prefix does nothing.
#   bash tools/windows_sdl.sh DIR
set -uo pipefail
DIR=${1:?usage: windows_sdl.sh DIR}
mkdir -p "$DIR" && DIR=$(cd "$DIR" && pwd) || exit 1
HOST=x86_64-w64-mingw32
CC=$HOST-gcc-posix
PC=$DIR/lib/pkgconfig/sdl.pc

# A finished prefix: the library, a pkg-config file that carries SDLmain, the
# licence and the source's version.
DOC=$DIR/share/doc/SDL
finished() {
  [ -f "$DIR/bin/SDL.dll" ] && [ -f "$DIR/lib/libSDLmain.a" ] && [ -s "$DOC/COPYING" ] &&
    [ -s "$DOC/debian-version" ] && grep -q '^Libs:.*-lSDLmain' "$PC" 2>/dev/null
}
finished && exit 0

case $DIR in
  *[[:space:]]*) echo "windows_sdl.sh: the prefix must not contain white space (libtool breaks on it): $DIR" >&2; exit 1 ;;
esac

fail() { echo "windows_sdl.sh: $1" >&2; [ -n "${2:-}" ] && [ -f "$2" ] && tail -n 60 "$2" >&2; exit 1; }

install_missing() {
  local missing=() pair
  for pair in "$CC:gcc-mingw-w64-x86-64-posix" "$HOST-windres:binutils-mingw-w64-x86-64" \
              dpkg-source:dpkg-dev make:make patch:patch; do
    command -v "${pair%%:*}" >/dev/null 2>&1 || missing+=("${pair#*:}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "installing: ${missing[*]}"
  { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"; } \
    >"$DIR/install.log" 2>&1 || fail "cannot install ${missing[*]}" "$DIR/install.log"
}

# The private apt configuration: every deb entry of the machine's sources
# (one-line and deb822 files, the files apt itself reads) becomes a deb-src
# entry with the same address, suites, components and key.
APTDIR=$DIR/apt
private_sources() {
  rm -rf "$APTDIR" && mkdir -p "$APTDIR/sources.list.d" "$APTDIR/lists/partial" "$APTDIR/cache/archives/partial" || return 1
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f"
  done >"$APTDIR/sources.list"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
         { keep = 0; out = ""
           for (i = 1; i <= NF; i++) {
             if ($i ~ /^Types:/) { if ($i ~ /[ \t]deb([ \t]|$)/) keep = 1; $i = "Types: deb-src" }
             out = out $i "\n" }
           if (keep) printf "%s\n", out }' "$f" >"$APTDIR/sources.list.d/${f##*/}" || return 1
  done
  grep -rqs . "$APTDIR/sources.list" "$APTDIR/sources.list.d"
}
APT=(-o "Dir::Etc::sourcelist=$APTDIR/sources.list" -o "Dir::Etc::sourceparts=$APTDIR/sources.list.d"
     -o "Dir::State::Lists=$APTDIR/lists" -o "Dir::Cache=$APTDIR/cache")
[ "$(id -u)" -eq 0 ] && APT+=(-o APT::Sandbox::User=root) # the downloads land in DIR, which _apt may not reach

install_missing
private_sources || fail "no deb entries in /etc/apt/sources.list or /etc/apt/sources.list.d to derive deb-src entries from"

# A source tree left by an earlier failed run may be half patched: start over.
SRC=$DIR/src
rm -rf "$SRC" && mkdir -p "$SRC" || exit 1
# An update that fails for one unrelated source still serves the others, so
# only the fetch decides.
apt-get "${APT[@]}" update >"$DIR/apt.log" 2>&1
(cd "$SRC" && apt-get "${APT[@]}" source libsdl1.2) >>"$DIR/apt.log" 2>&1 ||
  fail "cannot fetch Debian's source package libsdl1.2 through the deb-src entries in $APTDIR" "$DIR/apt.log"
TREE=$(find "$SRC" -mindepth 1 -maxdepth 1 -type d -name 'libsdl1.2-*' | head -n 1)
[ -n "$TREE" ] || fail "apt-get source left no libsdl1.2-* folder in $SRC" "$DIR/apt.log"

PATCH=$TREE/debian/patches/dont_propagate_lpthread.diff
[ -f "$PATCH" ] || fail "Debian's source has no $PATCH any more: check what sdl-config --libs prints before relying on it"
(cd "$TREE" && patch -R -p1 --dry-run -s <"$PATCH" && patch -R -p1 -s <"$PATCH") >"$DIR/patch.log" 2>&1 ||
  fail "dont_propagate_lpthread.diff does not reverse cleanly in $TREE" "$DIR/patch.log"

# Only the shared library: programs load SDL.dll, and libtool would otherwise
# compile every file twice.
start=$SECONDS
(cd "$TREE" && ./configure --host=$HOST --prefix="$DIR" CC=$CC --disable-static) >"$DIR/configure.log" 2>&1 ||
  fail "configure failed (log: $DIR/configure.log)" "$DIR/configure.log"
configured=$SECONDS
(cd "$TREE" && make -j2 && make install) >"$DIR/make.log" 2>&1 ||
  fail "make failed (log: $DIR/make.log)" "$DIR/make.log"
made=$SECONDS

grep -q '^Version: 1\.2\.1[0-9]$' "$PC" || fail "not SDL 1.2: $PC"
mkdir -p "$DOC" && cp "$TREE/COPYING" "$DOC/COPYING" &&
  dpkg-parsechangelog -l "$TREE/debian/changelog" -S Version >"$DOC/debian-version" ||
  fail "cannot keep SDL's licence and version in $DOC"
finished || fail "the installed sdl.pc lacks -lSDLmain: dont_propagate_lpthread.diff is still in effect"
rm -rf "$SRC" "$APTDIR"
echo "SDL $(sed -n 's/^Version: //p' "$PC") for $HOST in $DIR (configure $((configured - start)) s, make $((made - configured)) s)"
