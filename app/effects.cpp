// The demo's pixel effects, its positive modulo and its random source. The
// effects work on the pixel arrays directly; each gives exactly the pixels
// (and takes exactly the random draws) of its per-pixel description.
#include "app/effects.h"

#include <algorithm>

// Every effect needs an image with a pixel array; anything else is reported.
static bool usable(const Image *image) {
  if (image == nullptr || image->pixels == nullptr) {
    IMGError();
    return false;
  }
  return true;
}

static size_t pixelCount(const Image *image) {
  if (image->width <= 0 || image->height <= 0) return 0;
  return static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
}

int32_t VORN2112Random() {
  static uint32_t state = 1;
  state = state * 214013u + 2531011u;
  return static_cast<int32_t>((state >> 16) & 0x7FFF);
}

int32_t wrap(int32_t a, int32_t n) {
  if (n <= 0) return 0;
  if (a >= n) return a % n;
  if (a >= 0) return a;
  int32_t m = a % n;
  return m == 0 ? 0 : n + m;
}

void VORN2112Darken(Image *image, uint32_t amount) {
  if (!usable(image)) return;
  uint32_t v = amount & 0xFF;
  uint32_t *p = image->pixels;
  for (size_t i = pixelCount(image); i-- > 0;) {
    uint32_t r = (p[i] >> 16) & 0xFF;
    uint32_t g = (p[i] >> 8) & 0xFF;
    uint32_t b = p[i] & 0xFF;
    r = r > v ? r - v : 0;
    g = g > v ? g - v : 0;
    b = b > v ? b - v : 0;
    p[i] = (r << 16) | (g << 8) | b;
  }
}

// The part of a source placed with its top-left pixel at (x, y) that falls
// inside the destination: w x h pixels from (sx, sy) of the source to (x, y)
// of the destination.
struct Placement {
  int32_t sx, sy, x, y, w, h;
};

// Both positioned blits clip here; false when nothing of the source lands on
// the destination (or an image is unusable, which is reported).
static bool place(const Image *source, const Image *destination, int32_t x, int32_t y,
                  Placement *out) {
  if (!usable(source) || !usable(destination)) return false;
  int64_t px = x, py = y;
  if (px + source->width <= 0 || py + source->height <= 0 || px >= destination->width ||
      py >= destination->height)
    return false;
  int64_t sx = 0, sy = 0, w = source->width, h = source->height;
  if (px < 0) {
    sx = -px;
    w += px;
    px = 0;
  }
  if (py < 0) {
    sy = -py;
    h += py;
    py = 0;
  }
  if (px + w >= destination->width) w = destination->width - px;
  if (py + h >= destination->height) h = destination->height - py;
  if (w <= 0 || h <= 0) return false;
  *out = {static_cast<int32_t>(sx), static_cast<int32_t>(sy), static_cast<int32_t>(px),
          static_cast<int32_t>(py), static_cast<int32_t>(w),  static_cast<int32_t>(h)};
  return true;
}

// Runs pixel(source value, destination value) over a placement from the
// bottom-right corner, row by row, so that a blit of an image onto itself
// reads and writes in the one defined order.
template <typename Combine>
static void blitPlaced(const Image *source, Image *destination, const Placement &at,
                       Combine combine) {
  for (int32_t j = at.h - 1; j >= 0; j--) {
    const uint32_t *s = source->pixels + static_cast<size_t>(at.sy + j) * source->width + at.sx;
    uint32_t *d = destination->pixels + static_cast<size_t>(at.y + j) * destination->width + at.x;
    for (int32_t i = at.w - 1; i >= 0; i--) d[i] = combine(s[i], d[i]);
  }
}

void VORN2112BlitAverage(const Image *source, Image *destination, int32_t x, int32_t y) {
  Placement at;
  if (!place(source, destination, x, y, &at)) return;
  blitPlaced(source, destination, at, [](uint32_t s, uint32_t d) {
    return s == 0 ? d : ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
  });
}

void VORN2112BlitAdd(const Image *source, Image *destination, int32_t x, int32_t y) {
  Placement at;
  if (!place(source, destination, x, y, &at)) return;
  blitPlaced(source, destination, at, [](uint32_t s, uint32_t d) { return d + s; });
}

void VORN2112Mask(const Image *mask, Image *target) {
  if (!usable(mask) || !usable(target)) return;
  // Images of different sizes are combined by index over the smaller count,
  // which never reaches past either array.
  size_t n = std::min(pixelCount(mask), pixelCount(target));
  const uint32_t *m = mask->pixels;
  uint32_t *t = target->pixels;
  for (size_t i = n; i-- > 0;) t[i] &= m[i];
}

void VORN2112Dissolve(Image *image, int32_t attempts) {
  if (!usable(image) || pixelCount(image) == 0) return;
  const int32_t w = image->width, h = image->height;
  uint32_t *p = image->pixels;
  for (int32_t n = 0; n < attempts; n++) {
    // Four separate statements: the draws must come in exactly this order.
    int32_t x1 = VORN2112Random() % w;
    int32_t y1 = VORN2112Random() % h;
    int32_t x2 = VORN2112Random() % w;
    int32_t y2 = VORN2112Random() % h;
    uint32_t &a = p[static_cast<size_t>(y1) * w + x1];
    uint32_t &b = p[static_cast<size_t>(y2) * w + x2];
    if (a != 0 && b != 0) std::swap(a, b);
  }
}

void VORN2112Stars(Image *image, int32_t count) {
  if (!usable(image) || pixelCount(image) == 0) return;
  const int32_t w = image->width, h = image->height;
  for (int32_t n = 0; n < count; n++) {
    int32_t x = VORN2112Random() % w;
    int32_t y = VORN2112Random() % h;
    auto g = static_cast<uint32_t>(VORN2112Random() % 255);
    image->pixels[static_cast<size_t>(y) * w + x] = (g << 16) | (g << 8) | g;
  }
}
