// frame_check SHOT.ppm: tells whether a screenshot of the demo's window shows
// the scene: not black, stars or the picture in the upper half, and the
// scrolling text in bar colours on the bottom 8 rows. Exit status 0 if so.
// frame_check --blocks N SHOT.ppm: how much of a screenshot is made of whole
// N x N blocks of one colour, as a mode scaled up N times by nearest pixel is.
// frame_check --sdl-version: the version of the SDL library it runs with,
// which is the one the demo built beside it loads.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/bars.h"
#include "img/img.h"

static bool isBarColour(uint32_t p) {
  for (uint32_t colour : barColours)
    if ((p & 0xFFFFFF) == colour) return true;
  return false;
}

static bool isUniform(const Image *shot, int32_t x0, int32_t y0, int32_t n) {
  const uint32_t first = shot->pixels[y0 * shot->width + x0] & 0xFFFFFF;
  for (int32_t y = y0; y < y0 + n; ++y)
    for (int32_t x = x0; x < x0 + n; ++x)
      if ((shot->pixels[y * shot->width + x] & 0xFFFFFF) != first) return false;
  return true;
}

// The share of whole N x N blocks of one colour, on the grid that gives the
// most: a picture centred on the screen need not start at a multiple of N.
static double uniformShare(const Image *shot, int32_t n) {
  double best = 0;
  for (int32_t dy = 0; dy < n; ++dy)
    for (int32_t dx = 0; dx < n; ++dx) {
      long blocks = 0, uniform = 0;
      for (int32_t y = dy; y + n <= shot->height; y += n)
        for (int32_t x = dx; x + n <= shot->width; x += n) {
          ++blocks;
          uniform += isUniform(shot, x, y, n);
        }
      double share = blocks > 0 ? static_cast<double>(uniform) / static_cast<double>(blocks) : 0;
      if (share > best) best = share;
    }
  return best;
}

static int reportBlocks(const Image *shot, const char *size) {
  int32_t n = std::atoi(size);
  if (n < 1 || n > 64) {
    std::fprintf(stderr, "frame_check: --blocks needs a size from 1 to 64\n");
    return 2;
  }
  long lit = 0, pixels = long{shot->width} * shot->height;
  for (long i = 0; i < pixels; ++i) lit += (shot->pixels[i] & 0xFFFFFF) != 0;
  std::printf("%dx%d: %.1f%% of the %dx%d blocks of one colour, %.1f%% of the pixels lit\n",
              shot->width, shot->height, 100 * uniformShare(shot, n), n, n,
              pixels > 0 ? 100.0 * static_cast<double>(lit) / static_cast<double>(pixels) : 0.0);
  return 0;
}

static Image *loadShot(const char *path) {
  Image *shot = IMGLoad(path);
  if (shot == nullptr)
    std::fprintf(stderr, "frame_check: cannot load '%s': %s\n", path, IMGFailureReason());
  return shot;
}

int main(int argc, char **argv) {
  if (argc == 2 && std::strcmp(argv[1], "--sdl-version") == 0) {
    const SDL_version *v = SDL_Linked_Version();
    std::printf("%d.%d.%d\n", v->major, v->minor, v->patch);
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "--blocks") == 0) {
    Image *shot = loadShot(argv[3]);
    int status = shot != nullptr ? reportBlocks(shot, argv[2]) : 2;
    IMGFree(&shot);
    return status;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: frame_check SHOT.ppm | --blocks N SHOT.ppm | --sdl-version\n");
    return 2;
  }
  Image *shot = loadShot(argv[1]);
  if (shot == nullptr) return 2;
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
