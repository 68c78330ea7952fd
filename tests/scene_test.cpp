// The windowed scene, rendered in-process from the generated pictures.
#include <filesystem>
#include <fstream>
#include <string>

#include "img/sine.h"
#include "scene_checks.h"
#include "tests/support.h"

namespace {

// Hashes of frames far apart: any change of a single pixel, of the order of
// random draws or of a phase shows here. Update them only for a deliberate
// change of the pictures, the font or the message.
TEST(Scene, GoldenFrames) {
  expectGoldenFrames({{0, 0x9f0def2ecf99de13ull},
                      {1, 0xb2bc1a19b3ecc104ull},
                      {150, 0x214a3cacbb61de7aull},
                      {1000, 0x86325cb3da61d944ull}});
}

TEST(Scene, FirstFrameLayout) { expectFirstFrameLayout(); }

TEST(Scene, TextTakesTheBarColoursOfItsRows) { expectTextInBarColours(700); }

TEST(Scene, RestartRepeatsTheFirstFrames) { expectRestartRepeatsTheFirstFrames(); }

// A letter V 200000 pixels wide is a legal picture (under 2^28 pixels), and
// its curve's amplitude, -99680, times a sine entry leaves 32 bits: the
// products are taken in 64 bits, so V still lands where the curves say (and
// the sanitizer build sees no overflow).
TEST(Scene, AVeryWideLetterFliesOnItsCurve) {
  namespace fs = std::filesystem;
  const fs::path pictures = fs::current_path();
  const ScratchFolder scratch("vorn_wide_v");
  const fs::path &folder = scratch.path();
  ASSERT_FALSE(folder.empty());
  for (const char *name : {"font8x8.pbm", "O.ppm", "R.ppm", "N.ppm", "vorn-fernmoor.ppm",
                           "vorn-2008.ppm", "vorn-rainbow.ppm"})
    fs::copy_file(pictures / name, folder / name, fs::copy_options::overwrite_existing);
  constexpr int32_t wide = 200000;
  auto letterPixel = [](int64_t i) {
    return static_cast<uint32_t>(i * 2654435761u >> 8 & 0xFFFFFF) | 1u;
  };
  {
    std::ofstream v(folder / "V.ppm", std::ios::binary);
    v << "P6\n" << wide << " 1\n255\n";
    for (int64_t i = 0; i < wide; ++i) {
      uint32_t p = letterPixel(i);
      v.put(static_cast<char>(p >> 16)).put(static_cast<char>(p >> 8)).put(static_cast<char>(p));
    }
  }
  fs::current_path(folder);
  const int64_t across = (defaultWidth - wide) / 2, down = (defaultHeight - 1) / 2;
  int rowsSeen = 0;
  renderFrames(400, [&](int frame) {
    auto term = [&](int32_t speed, int64_t amplitude) {
      return (SineTable[((speed * frame) % 1024 + 1024) % 1024] * amplitude) >> 15;
    };
    const int64_t x = term(-11, across) + term(-9, across) + across;
    const int64_t y = term(-5, down) + term(-7, down) + down;
    if (y < 0 || y >= defaultHeight) return;
    for (int64_t c = 0; c < defaultWidth; ++c) {
      if (c - x >= 0 && c - x < wide) {
        ASSERT_EQ(demo.backBuffer->pixels[y * defaultWidth + c], letterPixel(c - x))
            << "frame " << frame << ", column " << c;
      }
    }
    ++rowsSeen;
  });
  fs::current_path(pictures);  // out of the folder, which then goes
  EXPECT_GT(rowsSeen, 100);
}

}  // namespace
