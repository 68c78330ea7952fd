#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each case beside its
# baseline, and prints the medians of the repetitions.
#   bash bench/run.sh [BUILD_DIR] [REPETITIONS]
# BUILD_DIR defaults to build (made if missing), REPETITIONS to 9. Extra
# Google Benchmark options go in BENCH_ARGS, e.g.
#   BENCH_ARGS=--benchmark_filter=WholeFrame bash bench/run.sh
# The full results, every repetition included, land in BUILD_DIR/bench-*.json.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build}")
REPS=${2:-9}

mkdir -p "$BUILD"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVORN_BENCH=ON >"$BUILD/bench-build.log" 2>&1 &&
  cmake --build "$BUILD" -j2 --target vorn2112-bench vorn2112fs-bench >>"$BUILD/bench-build.log" 2>&1 ||
  { tail -n 40 "$BUILD/bench-build.log"; exit 1; }

cd "$BUILD/bin"  # beside the pictures
echo "$(nproc) cores: $(lscpu | sed -n 's/^Model name: *//p')"
for program in vorn2112-bench vorn2112fs-bench; do
  # Case and baseline alternate inside every iteration; the repetitions run
  # interleaved with the other cases, so a burst of load hits them all.
  ./$program --benchmark_repetitions="$REPS" --benchmark_enable_random_interleaving=true \
    --benchmark_display_aggregates_only=true --benchmark_out="$BUILD/bench-$program.json" \
    --benchmark_out_format=json ${BENCH_ARGS:-} 2>/dev/null | grep -E '^(Benchmark|-+$)|_median'
done
