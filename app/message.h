// The demo's scroll text: one line of vornMessageLength characters ending in
// a NUL, without a line feed. It opens with 80 spaces and closes with 61, so
// it enters a 640-pixel strip at the right edge at once and leaves a gap
// before it comes round again. Constant data; nobody frees it.
#pragma once

#include <cstdint>

constexpr int32_t vornMessageLength = 1860;
extern const char vornMessage[];
