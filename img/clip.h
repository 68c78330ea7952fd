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

// The part of r inside an image of width x height pixels; empty when no pixel
// of r is inside.
constexpr Rect IMGClip(Rect r, int64_t width, int64_t height) {
  const int64_t left = std::max<int64_t>(r.x, 0), top = std::max<int64_t>(r.y, 0);
  const int64_t right = std::min(r.x + r.w, width), bottom = std::min(r.y + r.h, height);
  return {left, top, right - left, bottom - top};
}

// Clips the rectangle `from` of source, placed with its top-left corner at
// (x, y) of destination, to the pixels that lie inside both images: first
// against the source, then, where the rest lands, against the destination.
// False when no pixel is left; *out is set only when some is.
inline bool IMGPlace(const Image *source, Rect from, const Image *destination, int64_t x, int64_t y,
                     Placement *out) {
  const Rect s = IMGClip(from, source->width, source->height);
  const int64_t landX = x + (s.x - from.x), landY = y + (s.y - from.y);
  const Rect d = IMGClip({landX, landY, s.w, s.h}, destination->width, destination->height);
  if (d.w <= 0 || d.h <= 0) return false;
  *out = {static_cast<int32_t>(s.x + (d.x - landX)),
          static_cast<int32_t>(s.y + (d.y - landY)),
          static_cast<int32_t>(d.x),
          static_cast<int32_t>(d.y),
          static_cast<int32_t>(d.w),
          static_cast<int32_t>(d.h)};
  return true;
}
