// frame_check SHOT.ppm: tells whether a screenshot of the demo's window shows
// the scene: not black, stars or the picture in the upper half, and the
// scrolling text in bar colours on the bottom 8 rows. Exit status 0 if so.
#include <cstdio>

#include "app/bars.h"
#include "img/img.h"

static bool isBarColour(uint32_t p) {
  for (uint32_t colour : barColours)
    if ((p & 0xFFFFFF) == colour) return true;
  return false;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: frame_check SHOT.ppm\n");
    return 2;
  }
  Image *shot = IMGLoad(argv[1]);
  if (shot == nullptr) {
    std::fprintf(stderr, "frame_check: cannot load '%s'\n", argv[1]);
    return 2;
  }
  const int32_t W = shot->width, H = shot->height;
  long lit = 0, litAbove = 0, barPixels = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      uint32_t p = shot->pixels[y * W + x];
      lit += p != 0;
      litAbove += p != 0 && y < H / 2;
      barPixels += y >= H - 8 && isBarColour(p);
    }
  std::printf("%dx%d: %ld lit pixels, %ld in the upper half, %ld in bar colours at the bottom\n", W,
              H, lit, litAbove, barPixels);
  IMGFree(&shot);
  bool scene = lit > long{W} * H / 10 && litAbove > 20 && barPixels > 20;
  return scene ? 0 : 1;
}
