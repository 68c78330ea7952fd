// Browser only: the durations of the latest few hundred events of one kind
// (a frame step, a present's conversion, its hand-over to the canvas), kept
// so that the page can ask for their median. Nothing is allocated; the
// oldest duration is overwritten first.
#pragma once

#include <algorithm>
#include <cstdint>

struct Durations {
  static constexpr uint32_t kept = 512;
  double ms[kept];  // the latest durations, in milliseconds
  uint32_t count;   // durations noted so far; wraps after 2^32, harmlessly
};

inline void durationsNote(Durations *d, double ms) { d->ms[d->count++ % Durations::kept] = ms; }

// The median of the durations kept; 0 before the first.
inline double durationsMedian(const Durations *d) {
  uint32_t n = std::min(d->count, Durations::kept);
  if (n == 0) return 0;
  double sorted[Durations::kept];
  std::copy(d->ms, d->ms + n, sorted);
  std::nth_element(sorted, sorted + n / 2, sorted + n);
  return sorted[n / 2];
}
