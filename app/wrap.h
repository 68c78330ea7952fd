// The positive modulo that keeps the demo's phases in range.
#pragma once

#include <cstdint>

// a modulo n in 0 .. n - 1, for any a and a positive n; 0 for n <= 0.
constexpr int32_t wrap(int32_t a, int32_t n) {
  if (n <= 0) return 0;
  if (a >= n) return a % n;
  if (a >= 0) return a;
  int32_t m = a % n;
  return m == 0 ? 0 : n + m;
}
