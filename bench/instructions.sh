#!/usr/bin/env bash
# Instructions per frame of both capture tools under callgrind, a figure that
# does not drift with the machine's load: the count for 101 frames less the
# count for 1 (start-up, loading and scaling the pictures), over 100.
#   bash bench/instructions.sh [BUILD_DIR]
# BUILD_DIR defaults to build and must hold a Release build.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$(realpath -m "${1:-$ROOT/build}")/bin"
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "./$1" --count "$2" 2>&1 |
    sed -n 's/.*Collected : //p'
}
for program in vorn2112-capture vorn2112fs-capture; do
  one=$(instructions "$program" 1)
  many=$(instructions "$program" 101)
  echo "$program: $(((many - one) / 100)) instructions per frame"
done
