// The transparent clipped blit: every non-zero pixel of a source rectangle is
// stored into the destination; zero pixels leave the destination as it was.
#include "img/img.h"

void IMGBlit(const Image *source, Image *destination, int32_t sx, int32_t sy, int32_t dx,
             int32_t dy, int32_t w, int32_t h) {
  if (source == nullptr || destination == nullptr || source->pixels == nullptr ||
      destination->pixels == nullptr) {
    IMGError();
    return;
  }
  // Sums such as dx + w may leave the 32-bit range; clip in 64 bits.
  int64_t srcX = sx, srcY = sy, dstX = dx, dstY = dy, width = w, height = h;
  const int64_t sw = source->width, sh = source->height;
  const int64_t dw = destination->width, dh = destination->height;
  if (dstX >= dw || dstX + width < 0 || dstY >= dh || dstY + height < 0) return;
  if (srcX >= sw || srcX + width < 0 || srcY >= sh || srcY + height < 0) return;

  if (dstX < 0) width += dstX, srcX -= dstX, dstX = 0;
  if (dstY < 0) height += dstY, srcY -= dstY, dstY = 0;
  if (dstX + width > dw) width = dw - dstX;
  if (dstY + height > dh) height = dh - dstY;
  if (srcX < 0) width += srcX, dstX -= srcX, srcX = 0;
  if (srcY < 0) height += srcY, dstY -= srcY, srcY = 0;
  if (srcX + width > sw) width = sw - srcX;
  if (srcY + height > sh) height = sh - srcY;
  if (width <= 0 || height <= 0) return;

  const uint32_t *from = source->pixels + srcY * sw + srcX;
  uint32_t *to = destination->pixels + dstY * dw + dstX;
  for (int64_t row = 0; row < height; ++row, from += sw, to += dw) {
    // Every pixel of the row is stored, a zero source pixel storing the
    // destination's own value back: the same pixels as skipping it, from a
    // loop without a branch that the compiler vectorises.
    for (int64_t x = 0; x < width; ++x) to[x] = from[x] != 0 ? from[x] : to[x];
  }
}
