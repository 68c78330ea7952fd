// The transparent clipped blit: every non-zero pixel of a source rectangle is
// stored into the destination; zero pixels leave the destination as it was.
// It draws every picture, strip, sprite and glyph of a frame, so its rows run
// eight pixels at a time through the vector layer (img/simd.h).
#include "img/clip.h"
#include "img/img.h"
#include "img/simd.h"

// Every pixel of a row is stored, a zero source pixel storing the
// destination's own value back: the same pixels as skipping it, without a
// branch. Rows are taken top to bottom and each from left to right; a row
// whose source and destination share memory (a blit of an image onto itself)
// runs one pixel at a time, so that it reads what that order has written.
VORN_VECTOR_FUNCTION(blitRows,
                     (const uint32_t *from, size_t sw, uint32_t *to, size_t dw, size_t width,
                      size_t height),
                     (from, sw, to, dw, width, height)) {
  const auto keep = [](auto &d, const auto &s) { d = s != 0 ? s : d; };
  for (size_t row = 0; row < height; ++row, from += sw, to += dw) {
    if (IMGRowsOverlap(from, to, width))
      for (size_t x = 0; x < width; ++x) keep(to[x], from[x]);
    else
      IMGRowMap(to, from, width, keep);
  }
}

void IMGBlit(const Image *source, Image *destination, int32_t sx, int32_t sy, int32_t dx,
             int32_t dy, int32_t w, int32_t h) {
  if (source == nullptr || destination == nullptr || source->pixels == nullptr ||
      destination->pixels == nullptr) {
    IMGError();
    return;
  }
  Placement at;
  if (!IMGPlace(source, {sx, sy, w, h}, destination, dx, dy, &at)) return;
  const size_t sw = source->width, dw = destination->width;
  blitRows(source->pixels + at.sy * sw + at.sx, sw, destination->pixels + at.dy * dw + at.dx, dw,
           at.w, at.h);
}
