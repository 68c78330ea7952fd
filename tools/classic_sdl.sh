#!/usr/bin/env bash
# Unpacks the classic SDL 1.2 into DIR/usr, beside the compatibility layer
# over SDL 2 that the system has installed: their development packages
# conflict, so the classic ones (libsdl1.2-dev, libsdl1.2debian) are
# downloaded and unpacked, not installed. Their pkg-config file is rewritten
# to point into DIR. A build configured with -DCMAKE_PREFIX_PATH=DIR/usr
# then compiles against the classic headers, links the classic library and
# runs it through the build's run path. Installs the classic library's own
# run-time dependencies when they are missing (they coexist with SDL 2).
#   bash tools/classic_sdl.sh DIR
set -uo pipefail
DIR=${1:?usage: classic_sdl.sh DIR}
mkdir -p "$DIR" && DIR=$(cd "$DIR" && pwd) || exit 1
ARCH=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
PC=$DIR/usr/lib/$ARCH/pkgconfig/sdl.pc
sudo=
[ "$(id -u)" -ne 0 ] && sudo=sudo

runtime=(libasound2 libcaca0 libpulse0 libx11-6 libxext6)
missing=()
for p in "${runtime[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null || exit 1
fi

if [ ! -f "$PC" ]; then
  mkdir -p "$DIR/debs"
  download() { (cd "$DIR/debs" && apt-get download libsdl1.2-dev libsdl1.2debian) >"$DIR/download.log" 2>&1; }
  download || { $sudo apt-get update -qq && download; } || { cat "$DIR/download.log"; exit 1; }
  for deb in "$DIR"/debs/*.deb; do dpkg-deb -x "$deb" "$DIR" || exit 1; done
  sed -i "s|^prefix=.*|prefix=$DIR/usr|" "$PC" || exit 1
fi
grep -q '^Version: 1\.2\.1[0-9]$' "$PC" || { echo "not the classic SDL 1.2: $PC"; exit 1; }
