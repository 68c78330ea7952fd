# Installs the build into a scratch prefix and uses it as a person and as a
# programmer would: the programs find their pictures from any folder, and
# programs of one's own build against the modules with CMake and pkg-config.
# Usage: prefix.sh BUILD_DIR SOURCE_DIR PICTURE...
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
source "$SRC/tests/e2e/lib/common.sh" "$BUILD/bin" "$SRC"
shift 2
PICTURE_FILES=("$@")
P=$WORK/prefix
cmake --install "$BUILD" --prefix "$P" >"$WORK/install.log" 2>&1 || fail "install: $(tail -n 5 "$WORK/install.log")"

# The layout.
LIB=$(dirname "$(find "$P/lib" -name libvorn_img.a)")
[ "$(basename "$(dirname "$LIB")")" = lib ] && [ "$LIB" != "$P/lib" ] || fail "libraries in '$LIB', not lib/<multiarch>"
for f in games/vorn2112 games/vorn2112fs bin/vorn2112-capture bin/vorn2112fs-capture \
  include/vorn2112/img/img.h include/vorn2112/text/scroll.h include/vorn2112/raster/raster.h \
  include/vorn2112/platform/display.h share/man/man6/vorn2112.6.gz share/man/man6/vorn2112fs.6.gz \
  share/man/man1/vorn2112-capture.1.gz share/applications/vorn2112.desktop \
  share/icons/hicolor/128x128/apps/vorn2112.png share/doc/vorn2112/copyright; do
  [ -e "$P/$f" ] || fail "not installed: $f"
done
for f in "${PICTURE_FILES[@]}"; do
  [ -f "$P/share/games/vorn2112/$f" ] || fail "picture not installed: $f"
done
[ "$(find "$P/share/games/vorn2112" -type f | wc -l)" = ${#PICTURE_FILES[@]} ] || fail "pictures: $(ls "$P/share/games/vorn2112")"
for h in img/pnm_reader.h img/failure.h platform/backend.h os/os.h; do
  [ -e "$P/include/vorn2112/$h" ] && fail "an internal header is installed: $h"
done
find "$P" -name '*_test' | grep -q . && fail "test programs are installed"
pngtopam -alphapam "$P/share/icons/hicolor/128x128/apps/vorn2112.png" | pamfile |
  grep -q 'PAM, 128 by 128 by 4' || fail "the icon is not a 128 x 128 RGBA PNG"

# From a folder without pictures the installed tools take the installed ones
# and render the frames of the build tree; the working directory comes first.
(cd "$BUILD/bin" && ./vorn2112-capture --from 5 --count 1 --out "$WORK/tree" >/dev/null) || fail "tree capture"
mkdir "$WORK/empty" && cd "$WORK/empty" || exit 1
"$P/bin/vorn2112-capture" --from 5 --count 1 --out "$WORK/installed" || fail "installed capture"
cmp -s "$WORK/tree/frame-000005.ppm" "$WORK/installed/frame-000005.ppm" || fail "the installed tool renders another frame 5"
: >V.ppm
"$P/bin/vorn2112-capture" >/dev/null 2>"$WORK/err" && fail "an unreadable V.ppm here was passed over"
grep -qx "vorn2112-capture: cannot load 'V.ppm'.*" "$WORK/err" || fail "said: $(cat "$WORK/err")"
rm V.ppm

# Moved as a whole, the tree still finds its pictures; without them, the
# message names both places looked in.
mv "$P" "$WORK/moved"
P=$WORK/moved
"$P/bin/vorn2112fs-capture" --count 1 --out "$WORK/fs" || fail "the moved tree's tool"
mv "$P/share/games/vorn2112" "$WORK/aside"
SDL_VIDEODRIVER=dummy "$P/games/vorn2112" >/dev/null 2>"$WORK/err"
STATUS=$?
[ "$STATUS" = 1 ] || fail "without pictures the demo ended with status $STATUS"
expected="vorn2112: cannot load 'font8x8.pbm': not in the working directory nor in $P/share/games/vorn2112"
[ "$(cat "$WORK/err")" = "$expected" ] || fail "said: $(cat "$WORK/err")"
mv "$WORK/aside" "$P/share/games/vorn2112"
cd "$WORK" || exit 1

# The example, built against the installed package with CMake and with
# pkg-config, draws the picture that the same source draws in the tree.
PICTURES=$P/share/games/vorn2112
"$BUILD/bin/vorn2112-postcard" "$PICTURES" "$WORK/tree.ppm" || fail "the tree's postcard"
cmake -S "$SRC/examples" -B "$WORK/example" -DCMAKE_PREFIX_PATH="$P" >"$WORK/example.log" 2>&1 &&
  cmake --build "$WORK/example" >>"$WORK/example.log" 2>&1 || fail "example build: $(tail -n 20 "$WORK/example.log")"
"$WORK/example/postcard" "$PICTURES" "$WORK/cmake.ppm" || fail "the example did not run"
cmp -s "$WORK/tree.ppm" "$WORK/cmake.ppm" || fail "the example built with CMake draws another picture"
export PKG_CONFIG_PATH=$P/${LIB#"$WORK/prefix/"}/pkgconfig
# shellcheck disable=SC2046
g++ -std=c++20 -O2 -o "$WORK/pc-postcard" "$SRC/examples/postcard.cpp" $(pkg-config --cflags --libs vorn2112) ||
  fail "the example does not build with pkg-config"
"$WORK/pc-postcard" "$PICTURES" "$WORK/pc.ppm" && cmp -s "$WORK/tree.ppm" "$WORK/pc.ppm" ||
  fail "the example built with pkg-config draws another picture"
"$WORK/example/postcard" "$WORK/empty" "$WORK/none.ppm" >/dev/null 2>&1 && fail "the example made a postcard without pictures"

# The display and keyboard, with CMake and with pkg-config.
cmake -S "$SRC/tests/install/probe" -B "$WORK/probe" -DCMAKE_PREFIX_PATH="$P" >"$WORK/probe.log" 2>&1 &&
  cmake --build "$WORK/probe" >>"$WORK/probe.log" 2>&1 || fail "probe build: $(tail -n 20 "$WORK/probe.log")"
[ "$(SDL_VIDEODRIVER=dummy "$WORK/probe/probe")" = 256x256 ] || fail "the probe built with CMake"
# shellcheck disable=SC2046
g++ -std=c++20 -o "$WORK/pc-probe" "$SRC/tests/install/probe/probe.cpp" $(pkg-config --cflags --libs vorn2112-platform) ||
  fail "the probe does not build with pkg-config"
[ "$(SDL_VIDEODRIVER=dummy "$WORK/pc-probe")" = 256x256 ] || fail "the probe built with pkg-config"
echo "installed tree: layout, pictures from anywhere, example and probe built against it"
