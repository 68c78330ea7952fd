// Rotation on an enlarged canvas.
#include "img/failure.h"
#include "img/img.h"
#include "img/sine.h"

Image *IMGRotate(const Image *source, int32_t angle) {
  if (source == nullptr || source->width < 0 || source->height < 0 ||
      (source->pixels == nullptr && source->width > 0 && source->height > 0)) {
    IMGError();
    return nullptr;
  }
  // 92667 / 2^16 is a little under the square root of 2: the canvas holds the
  // picture at any angle. Its size is checked as it is, before it could be
  // cut to 32 bits.
  Image *result =
      imgMake(int64_t{source->width} * 92667 >> 16, int64_t{source->height} * 92667 >> 16);
  if (result == nullptr) return nullptr;
  const int64_t width = result->width, height = result->height;
  // Sine and cosine with both signs turned: angle 0 shows the picture turned
  // half a turn, angle 512 upright.
  int32_t turn = (angle % sinePeriod + sinePeriod) % sinePeriod;
  int64_t sn = SineTable[(sinePeriod - turn) % sinePeriod];
  int64_t cs = SineTable[(sinePeriod - (turn + 256) % sinePeriod) % sinePeriod];
  int64_t sourceCx = source->width / 2, sourceCy = source->height / 2;
  int64_t resultCx = width / 2, resultCy = height / 2;
  uint32_t *out = result->pixels;
  for (int64_t y = 0; y < height; ++y) {
    int64_t ey = y - resultCy;
    int64_t eySin = (ey * sn) >> 15, eyCos = (ey * cs) >> 15;
    for (int64_t x = 0; x < width; ++x) {
      int64_t ex = x - resultCx;
      int64_t u = sourceCx + ((ex * cs) >> 15) - eySin;
      int64_t v = sourceCy + ((ex * sn) >> 15) + eyCos;
      bool inside = u >= 0 && u < source->width && v >= 0 && v < source->height;
      *out++ = inside ? source->pixels[v * source->width + u] : 0;
    }
  }
  return result;
}
