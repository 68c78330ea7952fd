// Clipping: the one place where a rectangle drawn into an image is cut down to
// the pixels that exist. Every drawing operation that writes a rectangle
// clips it here once, before its row loop, and then indexes the pixel arrays
// without further tests: IMGBlit and the demo's positioned blits clip a
// source rectangle against both images with IMGPlace; the raster's spans
// clip against their one image with IMGClip.
//
// Coordinates and sizes are 64-bit, so that a corner plus a size never
// overflows whatever 32-bit values a caller passes. Whatever is left after
// clipping lies inside an image, so it fits 32 bits again. Nothing here reads
// pixels or reports errors: the callers check their images first.
#pragma once

#include <algorithm>
#include <cstdint>

#include "img/img.h"

// A rectangle of pixels: its top-left corner and its size. A width or height
// of 0 or less is an empty rectangle.
struct Rect {
  int64_t x, y;  // column and row of the top-left corner
  int64_t w, h;  // columns and rows
};

// A clipped blit: w x h pixels taken from (sx, sy) of the source land at
// (dx, dy) of the destination; every one of them lies inside both images.
struct Placement {
  int32_t sx, sy;  // top-left corner in the source
  int32_t dx, dy;  // top-left corner in the destination
  int32_t w, h;    // columns and rows, both at least 1
};

// Along one axis: a run of n pixels that starts at a in an extent of aSize
// pixels and at b in one of bSize. Its offsets first .. end - 1 are those i
// with both a + i and b + i inside their extents; none when end <= first.
struct Cut {
  int64_t first, end;
};
constexpr Cut IMGCut(int64_t n, int64_t a, int64_t aSize, int64_t b, int64_t bSize) {
  return {std::max({int64_t{0}, -a, -b}), std::min({n, aSize - a, bSize - b})};
}

// The part of r inside an image of width x height pixels; empty when no pixel
// of r is inside.
constexpr Rect IMGClip(Rect r, int64_t width, int64_t height) {
  const Cut x = IMGCut(r.w, r.x, width, r.x, width), y = IMGCut(r.h, r.y, height, r.y, height);
  return {r.x + x.first, r.y + y.first, x.end - x.first, y.end - y.first};
}

// Clips the rectangle `from` of source, placed with its top-left corner at
// (x, y) of destination, to the pixels that lie inside both images. False
// when no pixel is left; *out is set only when some is.
inline bool IMGPlace(const Image *source, Rect from, const Image *destination, int64_t x, int64_t y,
                     Placement *out) {
  // Most rectangles (every glyph of a line of text but the edge ones) lie
  // wholly inside both images. Taking them as they are, behind tests that
  // predict well, lets a small blit start at once instead of waiting for the
  // cut's chain of minima and maxima.
  if (from.x >= 0 && from.y >= 0 && x >= 0 && y >= 0 && from.w > 0 && from.h > 0 &&
      from.x + from.w <= source->width && from.y + from.h <= source->height &&
      x + from.w <= destination->width && y + from.h <= destination->height) [[likely]] {
    *out = {static_cast<int32_t>(from.x), static_cast<int32_t>(from.y),
            static_cast<int32_t>(x),      static_cast<int32_t>(y),
            static_cast<int32_t>(from.w), static_cast<int32_t>(from.h)};
    return true;
  }
  const Cut across = IMGCut(from.w, from.x, source->width, x, destination->width);
  const Cut down = IMGCut(from.h, from.y, source->height, y, destination->height);
  if (across.end <= across.first || down.end <= down.first) return false;
  *out = {
      static_cast<int32_t>(from.x + across.first),     static_cast<int32_t>(from.y + down.first),
      static_cast<int32_t>(x + across.first),          static_cast<int32_t>(y + down.first),
      static_cast<int32_t>(across.end - across.first), static_cast<int32_t>(down.end - down.first)};
  return true;
}
