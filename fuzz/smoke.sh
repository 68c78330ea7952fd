#!/usr/bin/env bash
# Builds the fuzz targets (the image core's readers, the drawing paths and the
# effects' vector rows against their scalar models) with clang into build-fuzz/ and runs
# each for a bounded time on a scratch copy of its seed corpus, so that runs
# never grow the committed corpus. Exits non-zero on any finding.
#
#   bash fuzz/smoke.sh [seconds-per-target]   (default 20)
#
# A finding leaves its input as build-fuzz/findings/<target>/crash-* (or
# leak-*, timeout-*, oom-*); once fixed, copy it into fuzz/corpus/<target>/
# as a regression case.
set -euo pipefail

seconds=${1:-20}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-fuzz

CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null

status=0
for target in pnm_parse pnm_load text_form draw; do
  scratch=$build/corpus/$target
  findings=$build/findings/$target
  rm -rf "$scratch"
  mkdir -p "$scratch" "$findings"
  cp "$root/fuzz/corpus/$target"/* "$scratch"/
  log=$build/$target.log
  # close_fd_mask=1 silences the readers' "IMG error" lines on standard output.
  if "$build/fuzz_$target" "$scratch" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=4096 -close_fd_mask=1 -artifact_prefix="$findings/" -print_final_stats=1 \
      >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  corpus=$(find "$scratch" -type f | wc -l)
  echo "$target: $result, ${executions:-?} executions, corpus $corpus inputs"
  if [ "$result" = FAILED ]; then
    grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -5 || true
  fi
done
exit $status
