// SineTable: one period of a sine wave as 1024 signed 16-bit samples, shared
// by the rotation and the demo's motions. An angle is an index 0 .. 1023
// (sinePeriod units make a full turn); callers bring other angles into range
// with a positive modulo before indexing. Entry i is 32767 * sin(2 pi i / 1024)
// rounded, except ten entries that are one off: the two peaks, 256 and 768,
// hold +32766 and -32766, one short of full scale, and eight entries on the
// slopes lie one further from zero than rounding gives (129, 383, 641 and 895
// hold +-23312; 183, 329, 695 and 841 hold +-29535). The extremes are thus
// +32766 and -32766: a product of an entry with an amplitude a, shifted right
// arithmetically by 15, never exceeds a in magnitude. The table is constant
// data; nothing computes it at start-up.
#pragma once

#include <cstdint>

constexpr int32_t sinePeriod = 1024;
extern const int16_t SineTable[sinePeriod];
