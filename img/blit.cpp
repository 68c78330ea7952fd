// The transparent clipped blit: every non-zero pixel of a source rectangle is
// stored into the destination; zero pixels leave the destination as it was.
#include "img/clip.h"
#include "img/img.h"

void IMGBlit(const Image *source, Image *destination, int32_t sx, int32_t sy, int32_t dx,
             int32_t dy, int32_t w, int32_t h) {
  if (source == nullptr || destination == nullptr || source->pixels == nullptr ||
      destination->pixels == nullptr) {
    IMGError();
    return;
  }
  Placement at;
  if (!IMGPlace(source, {sx, sy, w, h}, destination, dx, dy, &at)) return;

  const int64_t sw = source->width, dw = destination->width;
  const int64_t width = at.w, height = at.h;
  const uint32_t *from = source->pixels + at.sy * sw + at.sx;
  uint32_t *to = destination->pixels + at.dy * dw + at.dx;
  for (int64_t row = 0; row < height; ++row, from += sw, to += dw) {
    // Every pixel of the row is stored, a zero source pixel storing the
    // destination's own value back: the same pixels as skipping it, from a
    // loop without a branch that the compiler vectorises. Both pixels are
    // read every time: a read of the destination only under the condition
    // is, to clang, a masked load that it builds lane by lane.
    for (int64_t x = 0; x < width; ++x) {
      const uint32_t s = from[x], d = to[x];
      to[x] = s != 0 ? s : d;
    }
  }
}
