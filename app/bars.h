// The colours of the raster bars behind the scrolling text: 12 ramps of 10
// colours, red through the hues back to red, each climbing and falling.
#pragma once

#include <cstdint>

constexpr int32_t barCount = 120;
extern const uint32_t barColours[barCount];
