// An independent model of the demo's frames, written plainly from the
// description of each stage: its own random generator, sine table, scaling
// by the closed-form mapping, glyph addressing, scroll position, bar rows and
// letter curves, each as a per-pixel loop over plain arrays. The test renders
// the real scene beside it and compares whole frames pixel by pixel, so a
// fault in any module of the frame, or in their order, shows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "app/bars.h"
#include "app/message.h"
#include "app/scene.h"
#include "app/vorn2112.h"
#include "img/img.h"
#include "tests/demo_run.h"
#include "tests/support.h"

namespace model {

struct Picture {
  int32_t w = 0, h = 0;
  std::vector<uint32_t> p;
  uint32_t get(int32_t x, int32_t y) const {
    return x >= 0 && x < w && y >= 0 && y < h ? p[size_t(y) * w + x] : 0;
  }
  void put(int32_t x, int32_t y, uint32_t v) {
    if (x >= 0 && x < w && y >= 0 && y < h) p[size_t(y) * w + x] = v;
  }
};

inline Picture load(const char *name) {
  Image *image = IMGLoad(name);
  Picture picture;
  if (image == nullptr) return picture;
  picture.w = image->width;
  picture.h = image->height;
  picture.p.assign(image->pixels, image->pixels + size_t(image->width) * image->height);
  IMGFree(&image);
  return picture;
}

inline int64_t ceilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }

// Nearest-neighbour scaling by the closed-form source mapping.
inline Picture scale(const Picture &s, int32_t W, int32_t H) {
  Picture r{W, H, std::vector<uint32_t>(size_t(W) * H)};
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      int64_t mx = W >= s.w ? int64_t(x) * s.w / W : ceilDiv(int64_t(x + 1) * s.w, W) - 1;
      int64_t my = H >= s.h  ? int64_t(y) * s.h / H
                   : W < s.w ? ceilDiv(int64_t(y + 1) * s.h, H) - 1
                             : ceilDiv(int64_t(y) * s.h, H);
      r.p[size_t(y) * W + x] = s.get(int32_t(mx), int32_t(my));
    }
  return r;
}

inline int16_t sine(int32_t i) {
  switch (i) {
    case 129:
    case 383:
      return 23312;
    case 183:
    case 329:
      return 29535;
    case 256:
      return 32766;
    case 641:
    case 895:
      return -23312;
    case 695:
    case 841:
      return -29535;
    case 768:
      return -32766;
  }
  return int16_t(std::lround(32767.0 * std::sin(2.0 * std::numbers::pi * i / 1024.0)));
}

inline int32_t mod1024(int64_t a) { return int32_t(((a % 1024) + 1024) % 1024); }

class Scene {
 public:
  Scene()
      : W(defaultWidth),
        H(defaultHeight),
        font(load("font8x8.pbm")),
        rainbow0(load("vorn-rainbow.ppm")) {
    for (const char *name : {"V.ppm", "O.ppm", "R.ppm", "N.ppm"}) letters.push_back(load(name));
    dissolve = scale(load("vorn-fernmoor.ppm"), W, H / 2);
    logo = scale(load("vorn-2008.ppm"), W / 6, H / 4);
    rainbow = scale(rainbow0, W / 2, H);
    back = Picture{W, H, std::vector<uint32_t>(size_t(W) * H)};
  }

  // Advances the state through frame f; draws the frame when asked to.
  void frame(int64_t f, bool draw) {
    for (int32_t i = 0; i < defaultWidth * defaultHeight / 10 + 1; ++i) {
      int32_t x1 = rnd() % dissolve.w, y1 = rnd() % dissolve.h;
      int32_t x2 = rnd() % dissolve.w, y2 = rnd() % dissolve.h;
      uint32_t a = dissolve.get(x1, y1), b = dissolve.get(x2, y2);
      if (a != 0 && b != 0) {
        dissolve.put(x1, y1, b);
        dissolve.put(x2, y2, a);
      }
    }
    std::fill(back.p.begin(), back.p.end(), 0u);
    for (int i = 0; i < 21; ++i) {
      int32_t x = rnd() % W, y = rnd() % H;
      uint32_t g = uint32_t(rnd() % 255);
      back.put(x, y, g << 16 | g << 8 | g);
    }
    if (!draw) return;
    paste(dissolve, 0, H / 5);
    paste(logo, W * 3 / 4, H * 2 / 3);
    const int32_t phase[2] = {mod1024(13 * f), mod1024(233 + 17 * f)};
    const int32_t amplitude[2] = {W, W * 3 / 2};
    for (int k = 0; k < 2; ++k) {
      int32_t x0 = (W - rainbow.w) / 2 + ((sine(phase[k]) * amplitude[k]) >> 16);
      for (int32_t y = 0; y < rainbow.h; ++y)
        for (int32_t x = 0; x < rainbow.w; ++x)
          if (x0 + x >= 0 && x0 + x < W && y < H)
            back.p[size_t(y) * W + x0 + x] += rainbow.p[size_t(y) * rainbow.w + x];
    }
    paste(textStrip(f), 0, H - 8);
    const int32_t speed[4] = {11, 9, 5, 7}, step[4] = {60, 40, 50, 30};
    const int32_t amp[4] = {(defaultWidth - letters[0].w) / 2, (defaultWidth - letters[0].w) / 2,
                            (defaultHeight - letters[0].h) / 2, (defaultHeight - letters[0].h) / 2};
    for (int n = 3; n >= 0; --n) {
      int32_t term[4];
      for (int k = 0; k < 4; ++k)
        term[k] = (sine(mod1024(step[k] * n - speed[k] * f)) * amp[k]) >> 15;
      paste(letters[n], term[0] + term[1] + (defaultWidth - letters[n].w) / 2,
            term[2] + term[3] + (defaultHeight - letters[n].h) / 2);
    }
  }

  // The scrolling text in frame f: from character f / 8 at offset f % 8,
  // white glyphs ANDed with the bar colours of rows f .. f + 7.
  Picture textStrip(int64_t f) const {
    Picture strip{W, 8, std::vector<uint32_t>(size_t(W) * 8)};
    const int64_t length = int64_t(std::strlen(vornMessage));
    for (int32_t k = 0; k <= W / 8; ++k) {
      int32_t code = int8_t(vornMessage[(f / 8 + k) % length]);
      if (code < 0) continue;
      int32_t sx = code * 8 % font.w, sy = code * 8 / font.w * 8;
      for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) {
          uint32_t p = font.get(sx + x, sy + y);
          if (p != 0) strip.put(int32_t(k * 8 - f % 8 + x), y, p);
        }
    }
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < W; ++x) strip.p[size_t(y) * W + x] &= barColours[(f + y) % barCount];
    return strip;
  }

  const Picture &frameBuffer() const { return back; }

 private:
  int32_t rnd() {
    state = state * 214013u + 2531011u;
    return int32_t((state >> 16) & 0x7FFF);
  }
  // Puts the non-zero pixels of a whole picture at (x0, y0), clipped.
  void paste(const Picture &s, int32_t x0, int32_t y0) {
    for (int32_t y = 0; y < s.h; ++y)
      for (int32_t x = 0; x < s.w; ++x) {
        uint32_t p = s.p[size_t(y) * s.w + x];
        if (p != 0) back.put(x0 + x, y0 + y, p);
      }
  }

  int32_t W, H;
  uint32_t state = 1;
  Picture font, rainbow0, dissolve, logo, rainbow, back;
  std::vector<Picture> letters;
};

// Renders the real scene and the model side by side up to frame `last` and
// compares every frame in `compared`, stopping at the first that differs.
inline void expectSceneMatchesModel(int last, const std::vector<int> &compared) {
  Scene model;
  DemoRun run;
  ASSERT_TRUE(run.started());
  size_t next = 0;
  for (int f = 0; f <= last; ++f) {
    bool compare = next < compared.size() && compared[next] == f;
    model.frame(f, compare);
    VORN2112Frame();
    if (compare) {
      ++next;
      const Picture &want = model.frameBuffer();
      ASSERT_TRUE(sameFrame(demo.backBuffer, imageOf(want.w, want.h, want.p).get(), f));
    }
  }
}

}  // namespace model
