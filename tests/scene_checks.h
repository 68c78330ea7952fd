// Checks of the scene shared by the windowed and the full-screen test
// programs: each links its own build of the demo, so defaultWidth and
// defaultHeight are that build's.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "app/bars.h"
#include "app/message.h"
#include "app/scene.h"
#include "app/vorn2112.h"
#include "img/img.h"
#include "tests/demo_run.h"
#include "tests/support.h"
#include "text/font.h"

inline uint64_t frameHash(const Image *image) {
  uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a over the pixel words
  size_t n = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  for (size_t i = 0; i < n; ++i) {
    hash ^= image->pixels[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// Whether frame `frame` hashes to `hash`; when not, keeps the frame
// (keptFrames: a hash has no expected frame to show beside it).
inline testing::AssertionResult hashesTo(const Image *image, uint64_t hash, int frame) {
  const uint64_t actual = frameHash(image);
  if (actual == hash) return testing::AssertionSuccess();
  testing::Message why;  // one stream, so that std::hex holds
  why << "frame " << frame << " hashes to 0x" << std::hex << actual << " instead of 0x" << hash
      << "; ";
  return testing::AssertionFailure() << why << keptFrames(image, nullptr, frame);
}

// Renders frames 0 .. last as the demo does, off screen, and calls
// visit(frame) with each finished frame in demo.backBuffer. Every call is a
// run of its own from frame 0.
template <class Visit>
void renderFrames(int last, Visit visit) {
  DemoRun run;
  ASSERT_TRUE(run.started()) << "the pictures are missing";
  for (int frame = 0; frame <= last; ++frame) {
    VORN2112Frame();
    visit(frame);
  }
}

inline void expectGoldenFrames(const std::vector<std::pair<int, uint64_t>> &golden) {
  renderFrames(golden.back().first, [&](int frame) {
    for (const auto &[wanted, hash] : golden)
      if (wanted == frame) {
        EXPECT_TRUE(hashesTo(demo.backBuffer, hash, frame));
      }
  });
}

inline Image *loadScaled(const char *name, int32_t w, int32_t h) {
  Image *picture = IMGLoad(name);
  Image *scaled = IMGScale(picture, w, h);
  IMGFree(&picture);
  return scaled;
}

// Frame 0: V exactly centred and on top; the first rainbow copy added at
// x = W / 4 over the empty sky above the moor.
inline void expectFirstFrameLayout() {
  const int32_t W = defaultWidth, H = defaultHeight;
  Image *v = IMGLoad("V.ppm");
  Image *rainbow = loadScaled("vorn-rainbow.ppm", W / 2, H);
  ASSERT_NE(v, nullptr);
  ASSERT_NE(rainbow, nullptr);
  renderFrames(0, [&](int) {
    const int32_t vx = (W - v->width) / 2, vy = (H - v->height) / 2;
    for (int32_t y = 0; y < v->height; ++y)
      for (int32_t x = 0; x < v->width; ++x) {
        uint32_t p = v->pixels[y * v->width + x];
        if (p != 0) {
          ASSERT_EQ(IMGGetPixel(demo.backBuffer, vx + x, vy + y), p) << x << "," << y;
        }
      }
    int inCopy = 0, matching = 0, leftOfCopy = 0, blackLeft = 0;
    for (int32_t y = 0; y < H / 5; ++y)
      for (int32_t x = 0; x < W / 4 + W / 2; ++x) {
        uint32_t p = IMGGetPixel(demo.backBuffer, x, y);
        if (x < W / 4) {
          ++leftOfCopy;
          blackLeft += p == 0;
        } else {
          ++inCopy;
          matching += p == IMGGetPixel(rainbow, x - W / 4, y);
        }
      }
    // Stars and letters may cover a few pixels; a misplaced copy covers none.
    EXPECT_GT(matching, inCopy * 8 / 10);
    EXPECT_GT(blackLeft, leftOfCopy * 8 / 10);
  });
  IMGFree(&v);
  IMGFree(&rainbow);
}

// In frame f the bottom 8 rows show the message from character f / 8 at
// offset f % 8, its glyph pixels in the bar colours of rows f .. f + 7.
inline void expectTextInBarColours(int f) {
  const int32_t W = defaultWidth, H = defaultHeight;
  Font *font = FONTNew();
  font->width = font->height = 8;
  font->sheet = IMGLoad("font8x8.pbm");
  Image *strip = IMGNew();
  IMGResize(strip, W, 8);
  const int32_t length = static_cast<int32_t>(std::char_traits<char>::length(vornMessage));
  for (int32_t k = 0; k <= W / 8; ++k)
    FONTDrawChar(font, static_cast<int8_t>(vornMessage[(f / 8 + k) % length]), k * 8 - f % 8, 0,
                 strip);
  renderFrames(f, [&](int frame) {
    if (frame != f) return;
    int glyphPixels = 0, coloured = 0;
    for (int32_t row = 0; row < 8; ++row)
      for (int32_t x = 0; x < W; ++x) {
        if (strip->pixels[row * W + x] == 0) continue;
        ++glyphPixels;
        coloured +=
            IMGGetPixel(demo.backBuffer, x, H - 8 + row) == barColours[(f + row) % barCount];
      }
    EXPECT_GT(glyphPixels, 50) << "the message should be on screen in frame " << f;
    EXPECT_GT(coloured, glyphPixels * 9 / 10) << "letters may cover a few glyph pixels";
  });
  IMGFree(&strip);
  FONTFree(&font);
}

// A restart puts the run back to frame 0, wherever it stood: the frames that
// follow are the first frames again, and a quit request is forgotten.
inline void expectRestartRepeatsTheFirstFrames() {
  DemoRun run;
  ASSERT_TRUE(run.started());
  std::vector<ImagePtr> first;
  for (int frame = 0; frame < 3; ++frame) {
    VORN2112Frame();
    first.emplace_back(IMGCopy(demo.backBuffer));
  }
  for (int frame = 3; frame < 130; ++frame) VORN2112Frame();
  VORN2112Key('q');
  EXPECT_EQ(demo.frame, 130);
  ASSERT_TRUE(VORN2112Restart());
  EXPECT_EQ(demo.frame, 0);
  EXPECT_FALSE(demo.quitRequested);
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_TRUE(VORN2112Frame());
    EXPECT_TRUE(sameFrame(demo.backBuffer, first[size_t(frame)].get(), frame));
  }
}
