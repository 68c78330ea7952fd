// The integer points of a segment, stepping along its longer axis.
#include <cstdint>
#include <cstdlib>

#include "img/img.h"

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
