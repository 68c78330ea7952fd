// SineTable: one period of a sine wave as 1024 signed 16-bit samples, shared
// by the rotation and the demo's motions. An angle is an index 0 .. 1023
// (SinePeriod units make a full turn); callers bring other angles into range
// with a positive modulo before indexing. Entry i is 32767 * sin(2 pi i / 1024)
// rounded, except that a few entries near the peaks are nudged, so the
// extremes are +32766 and -32766: a product of an entry with an amplitude a,
// shifted right arithmetically by 15, never exceeds a in magnitude. The table
// is constant data; nothing computes it at start-up.
#pragma once

#include <cstdint>

constexpr int32_t SinePeriod = 1024;
extern const int16_t SineTable[SinePeriod];
