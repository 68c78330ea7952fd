// The frame's parts one by one, at the windowed size, each beside the floor
// of its own memory traffic:
//   VORN2112BlitAdd     memcpy of the source's bytes
//   VORN2112Dissolve    the same number of pixel swaps at positions read from
//                       a table made in advance (no generator, no modulo)
//   VORN2112Stars       the same number of pixel stores at tabled positions
//   RASTERDraw          memset of the strip
//   SCROLLDraw          memcpy of the strip's bytes
//   IMGScale            calloc of the result, memcpy of its bytes, free
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/bars.h"
#include "app/effects.h"
#include "app/message.h"
#include "app/vorn2112.h"
#include "bench/pair.h"
#include "raster/raster.h"
#include "text/font.h"
#include "text/scroll.h"

namespace {

constexpr int32_t W = defaultWidth, H = defaultHeight;

struct Backdrop {
  const char *file;
  int32_t width, height;  // the scene's size for it
};
// The scene's three backdrops and the sizes it scales them to.
const Backdrop backdrops[3] = {{"vorn-fernmoor.ppm", W, H / 2},
                               {"vorn-2008.ppm", W / 6, H / 4},
                               {"vorn-rainbow.ppm", W / 2, H}};

struct Pictures {
  Image *loaded[3];  // the backdrops as read
  Image *scaled[3];  // at the scene's sizes
  Font *font;
};

const Pictures *pictures() {
  static Pictures p{};
  static const bool ready = [] {
    for (int i = 0; i < 3; ++i) {
      p.loaded[i] = IMGLoad(backdrops[i].file);
      if (p.loaded[i] == nullptr) return false;
      p.scaled[i] = IMGScale(p.loaded[i], backdrops[i].width, backdrops[i].height);
    }
    p.font = FONTNew();
    p.font->width = p.font->height = 8;
    p.font->sheet = IMGLoad("font8x8.pbm");
    return p.font->sheet != nullptr;
  }();
  return ready ? &p : nullptr;
}

Image *newImage(int32_t w, int32_t h, uint32_t fill) {
  Image *image = IMGNew();
  IMGResize(image, w, h);
  std::fill(image->pixels, image->pixels + static_cast<size_t>(w) * h, fill);
  return image;
}

size_t bytesOf(const Image *image) {
  return static_cast<size_t>(image->width) * image->height * sizeof(uint32_t);
}

// Random pixel indexes of an image, drawn in advance for the floors.
std::vector<uint32_t> positions(const Image *image, size_t count) {
  std::minstd_rand random(2112);
  std::uniform_int_distribution<uint32_t> pick(0, image->width * image->height - 1);
  std::vector<uint32_t> out(count);
  for (auto &p : out) p = pick(random);
  return out;
}

#define NEED_PICTURES(p)                                               \
  const Pictures *p = pictures();                                      \
  if (p == nullptr) {                                                  \
    state.SkipWithError("the pictures are missing: run in build/bin"); \
    return;                                                            \
  }

void BlitAdd(benchmark::State &state) {
  NEED_PICTURES(p);
  const Image *rainbow = p->scaled[2];
  Image *screen = newImage(W, H, 0x00102030);
  std::vector<uint8_t> to(bytesOf(rainbow));
  measurePair(
      state, 1, [&] { VORN2112BlitAdd(rainbow, screen, (W - rainbow->width) / 2, 0); },
      [&] { std::memcpy(to.data(), rainbow->pixels, to.size()); });
  state.SetLabel("rainbow 320x480 added");
  IMGFree(&screen);
}
VORN_PAIR(BlitAdd);

void Dissolve(benchmark::State &state) {
  NEED_PICTURES(p);
  const int32_t attempts = W * H / 10 + 1;
  Image *picture = IMGCopy(p->scaled[0]);
  const std::vector<uint32_t> at = positions(picture, 2 * static_cast<size_t>(attempts));
  measurePair(
      state, 1, [&] { VORN2112Dissolve(picture, attempts); },
      [&] {
        uint32_t *pixels = picture->pixels;
        for (size_t i = 0; i < at.size(); i += 2) std::swap(pixels[at[i]], pixels[at[i + 1]]);
      });
  state.SetLabel("30721 attempts on 640x240");
  IMGFree(&picture);
}
VORN_PAIR(Dissolve);

void Stars(benchmark::State &state) {
  Image *screen = newImage(W, H, 0);
  const std::vector<uint32_t> at = positions(screen, 21);
  measurePair(
      state, 64, [&] { VORN2112Stars(screen, 21); },
      [&] {
        for (uint32_t i : at) screen->pixels[i] = 0x00808080;
      });
  state.SetLabel("21 dots");
  IMGFree(&screen);
}
VORN_PAIR(Stars);

void RasterDraw(benchmark::State &state) {
  Raster bars = {barCount, 0, const_cast<uint32_t *>(barColours)};
  Image *strip = newImage(W, 8, 0);
  measurePair(
      state, 64, [&] { RASTERDraw(&bars, strip); },
      [&] { std::memset(strip->pixels, 0x10, bytesOf(strip)); });
  state.SetLabel("640x8 strip");
  IMGFree(&strip);
}
VORN_PAIR(RasterDraw);

void ScrollDraw(benchmark::State &state) {
  NEED_PICTURES(p);
  Image *strip = newImage(W, 8, 0);
  Scroller *scroller = SCROLLNew();
  SCROLLSet(scroller, vornMessage, p->font, strip);
  scroller->width = W;
  // Well into the message, so that the strip is full of letters.
  for (int i = 0; i < 8 * 100 + 3; ++i) SCROLLAdvance(scroller);
  std::vector<uint8_t> from(bytesOf(strip), 0x5A);
  measurePair(
      state, 64, [&] { SCROLLDraw(scroller); },
      [&] { std::memcpy(strip->pixels, from.data(), from.size()); });
  state.SetLabel("81 glyphs into 640x8");
  SCROLLFree(&scroller);
  IMGFree(&strip);
}
VORN_PAIR(ScrollDraw);

void Scale(benchmark::State &state) {
  NEED_PICTURES(p);
  const int i = static_cast<int>(state.range(0));
  const Backdrop &b = backdrops[i];
  const size_t bytes = static_cast<size_t>(b.width) * b.height * sizeof(uint32_t);
  std::vector<uint8_t> from(bytes, 0x5A);
  measurePair(
      state, 1,
      [&] {
        Image *scaled = IMGScale(p->loaded[i], b.width, b.height);
        IMGFree(&scaled);
      },
      [&] {
        void *to = std::calloc(bytes, 1);
        std::memcpy(to, from.data(), bytes);
        benchmark::DoNotOptimize(to);
        std::free(to);
      });
  state.SetLabel(std::string(b.file) + " to " + std::to_string(b.width) + "x" +
                 std::to_string(b.height));
}
VORN_PAIR(Scale)->Arg(0)->Arg(1)->Arg(2);

}  // namespace
