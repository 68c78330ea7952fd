// Rotation on an enlarged canvas, and the integer points of a segment.
#include <cstdlib>

#include "img/img.h"
#include "img/sine.h"

Image *IMGRotate(const Image *source, int32_t angle) {
  if (source == nullptr || source->width < 0 || source->height < 0 ||
      (source->pixels == nullptr && source->width > 0 && source->height > 0)) {
    IMGError();
    return nullptr;
  }
  // 92667 / 2^16 is a little under the square root of 2: the canvas holds the
  // picture at any angle.
  auto width = static_cast<int32_t>(int64_t{source->width} * 92667 >> 16);
  auto height = static_cast<int32_t>(int64_t{source->height} * 92667 >> 16);
  Image *result = IMGMake(width, height);
  if (result == nullptr) return nullptr;
  // Sine and cosine with both signs turned: angle 0 shows the picture turned
  // half a turn, angle 512 upright.
  int32_t turn = (angle % SinePeriod + SinePeriod) % SinePeriod;
  int64_t sn = SineTable[(SinePeriod - turn) % SinePeriod];
  int64_t cs = SineTable[(SinePeriod - (turn + 256) % SinePeriod) % SinePeriod];
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

int32_t *IMGLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
  int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  bool xMajor = adx > ady;
  int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  // The count 2 * major + 2 is stored as a 32-bit number.
  if (major > (INT32_MAX - 2) / 2) {
    IMGError();
    return nullptr;
  }
  auto *list =
      static_cast<int32_t *>(std::calloc(static_cast<size_t>(2 * major + 3), sizeof(int32_t)));
  if (list == nullptr) {
    IMGError();
    return nullptr;
  }
  list[0] = static_cast<int32_t>(2 * major + 2);
  int32_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  int32_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  int32_t a = xMajor ? x0 : y0, b = xMajor ? y0 : x0;
  int64_t error = major >> 1;
  int32_t *point = list + 1;
  for (int64_t i = 0; i <= major; ++i, point += 2) {
    point[xMajor ? 0 : 1] = a;
    point[xMajor ? 1 : 0] = b;
    if (i == major) break;
    a += majorStep;
    error -= minor;
    // A segment along an axis keeps its minor coordinate: with a major length
    // of 1 the error term starts at 0 and would otherwise step off the axis.
    if (error <= 0 && minor != 0) {
      error += major;
      b += minorStep;
    }
  }
  return list;
}
