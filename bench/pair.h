// Side-by-side timing: a case and its baseline run alternately in the same
// benchmark iteration, so both see the same machine, caches and load, and the
// case reports its ratio to the baseline.
//
// The reported time is the case's per iteration, that is per batch of calls.
// Counters: `case_us` and `baseline_us`, the times per call in microseconds,
// and `ratio`, the case's total time over the baseline's (below 1 the case is
// faster). With repetitions, Google Benchmark's median aggregate gives the
// median of each counter.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

// Runs case and baseline `batch` times each per iteration; batch several calls
// when one call is too short for the clock. The iteration's time is the whole
// batch's, so the benchmark's time budget holds whatever the batch.
template <class Case, class Baseline>
void measurePair(benchmark::State &state, int batch, Case runCase, Baseline runBaseline) {
  using Clock = std::chrono::steady_clock;
  // One untimed round of each, so neither pays for first touches.
  runCase();
  runBaseline();
  double caseSeconds = 0, baselineSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (int i = 0; i < batch; ++i) runCase();
    benchmark::ClobberMemory();
    const auto middle = Clock::now();
    for (int i = 0; i < batch; ++i) runBaseline();
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    const double c = std::chrono::duration<double>(middle - start).count();
    const double b = std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(c);
    caseSeconds += c;
    baselineSeconds += b;
  }
  const double calls = static_cast<double>(state.iterations()) * batch;
  state.counters["case_us"] = caseSeconds / calls * 1e6;
  state.counters["baseline_us"] = baselineSeconds / calls * 1e6;
  state.counters["ratio"] = baselineSeconds > 0 ? caseSeconds / baselineSeconds : 0;
}

// Registers a side-by-side case: manual time (the case's), microseconds.
#define VORN_PAIR(function) BENCHMARK(function)->UseManualTime()->Unit(benchmark::kMicrosecond)
