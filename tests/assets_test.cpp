// The generated pictures, the font and the scroll text, read back as the demo
// reads them: from build/bin, with IMGLoad.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/message.h"
#include "img/img.h"
#include "tests/support.h"

namespace {

// A picture read from build/bin, with what the checks ask of it.
struct Loaded {
  ImagePtr image;
  explicit Loaded(const char *name) : image(IMGLoad(name)) {}
  uint32_t at(int32_t x, int32_t y) const { return image->pixels[y * image->width + x]; }
  double nonZeroShare() const {
    int64_t n = int64_t{image->width} * image->height, set = 0;
    for (int64_t i = 0; i < n; ++i) set += image->pixels[i] != 0;
    return static_cast<double>(set) / static_cast<double>(n);
  }
};

bool glyphPixel(const Loaded &sheet, int code, int x, int y) {
  return sheet.at(code * 8 % 128 + x, code * 8 / 128 * 8 + y) != 0;
}

TEST(Message, FrameOfSpacesAroundOneLine) {
  const std::string text = vornMessage;
  ASSERT_EQ(text.size(), 1860u);
  EXPECT_EQ(text.size(), static_cast<size_t>(vornMessageLength));
  EXPECT_EQ(text.find_first_not_of(' '), 80u);
  EXPECT_EQ(text.find_last_not_of(' '), 1860u - 61 - 1);
  EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(Message, PrintableUpperCaseWithOneMixedStretchAndOneHighByte) {
  int high = 0, upper = 0, lower = 0;
  for (unsigned char c : std::string(vornMessage)) {
    if (c >= 0x80) {
      ++high;
      continue;
    }
    EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << "a character the font does not draw: " << int{c};
    upper += c >= 'A' && c <= 'Z';
    lower += c >= 'a' && c <= 'z';
  }
  EXPECT_EQ(high, 1);
  EXPECT_GT(lower, 0);
  EXPECT_GT(upper, 4 * lower);
}

TEST(Font, SheetHoldsEveryPrintableGlyphInItsCell) {
  Loaded sheet("font8x8.pbm");
  ASSERT_NE(sheet.image, nullptr) << "run in build/bin after the vorn_assets target";
  ASSERT_EQ(sheet.image->width, 128);
  ASSERT_GE(sheet.image->height, 64);
  for (int32_t i = 0; i < 128 * 64; ++i)
    ASSERT_TRUE(sheet.image->pixels[i] == 0 || sheet.image->pixels[i] == 0xFFFFFF);
  for (int code = 0; code < 128; ++code) {
    int set = 0, rightColumn = 0, bottomRow = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        bool on = glyphPixel(sheet, code, x, y);
        set += on;
        rightColumn += on && x == 7;
        bottomRow += on && y == 7;
      }
    bool printable = code > ' ' && code < 127;
    EXPECT_EQ(set > 0, printable) << "code " << code;
    // Column 7 is the gap between neighbours; only the underscore joins up.
    if (code != '_') {
      EXPECT_EQ(rightColumn, 0) << "code " << code;
    }
    // Capitals and digits share one baseline, above the descender row.
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
      EXPECT_EQ(bottomRow, 0) << "code " << code;
    }
  }
}

TEST(Letters, SameHeightTightBoxesOnTransparentGround) {
  int32_t height = 0;
  for (const char *name : {"V.ppm", "O.ppm", "R.ppm", "N.ppm"}) {
    SCOPED_TRACE(name);
    Loaded letter(name);
    ASSERT_NE(letter.image, nullptr);
    const Image &l = *letter.image;
    if (height == 0) height = l.height;
    EXPECT_EQ(l.height, height);
    EXPECT_GE(l.height, 64);
    EXPECT_LE(l.height, 128);
    EXPECT_EQ(letter.at(0, 0) | letter.at(l.width - 1, 0) | letter.at(0, l.height - 1) |
                  letter.at(l.width - 1, l.height - 1),
              0u);
    EXPECT_GT(letter.nonZeroShare(), 0.3);
    // No empty margins: the demo centres a letter by its picture's size.
    bool top = false, bottom = false, left = false, right = false;
    for (int32_t x = 0; x < l.width; ++x) {
      top |= letter.at(x, 0) != 0;
      bottom |= letter.at(x, l.height - 1) != 0;
    }
    for (int32_t y = 0; y < l.height; ++y) {
      left |= letter.at(0, y) != 0;
      right |= letter.at(l.width - 1, y) != 0;
    }
    EXPECT_TRUE(top && bottom && left && right);
  }
}

TEST(Backdrops, MoorHasOpenSkyAboveSolidGround) {
  Loaded moor("vorn-fernmoor.ppm");
  ASSERT_NE(moor.image, nullptr);
  const Image &m = *moor.image;
  EXPECT_GE(m.width, 2 * m.height);
  // The ground is solid, so the dissolve keeps a body under the outline.
  for (int32_t x = 0; x < m.width; ++x) {
    EXPECT_EQ(moor.at(x, 0), 0u) << "sky at column " << x;
    for (int32_t y = m.height * 4 / 5; y < m.height; ++y)
      ASSERT_NE(moor.at(x, y), 0u) << "ground at column " << x << ", row " << y;
  }
  EXPECT_GT(moor.nonZeroShare(), 0.4);
  EXPECT_LT(moor.nonZeroShare(), 0.8);
}

TEST(Backdrops, LogoStandsOnTransparentCorners) {
  Loaded logo("vorn-2008.ppm");
  ASSERT_NE(logo.image, nullptr);
  const Image &l = *logo.image;
  EXPECT_EQ(logo.at(0, l.height - 1) | logo.at(l.width - 1, l.height - 1), 0u);
  EXPECT_NE(logo.at(l.width / 2, l.height / 2), 0u);
}

// The demo adds two copies without saturation. On black their sum must stay
// well inside every channel, leaving room for the stars and the picture
// below before a channel carries into the next.
TEST(Backdrops, RainbowIsDarkEnoughToAddTwice) {
  Loaded rainbow("vorn-rainbow.ppm");
  ASSERT_NE(rainbow.image, nullptr);
  EXPECT_GT(rainbow.image->height, rainbow.image->width);
  uint32_t brightest = 0;
  for (int32_t i = 0; i < rainbow.image->width * rainbow.image->height; ++i)
    for (int shift : {0, 8, 16}) {
      uint32_t c = rainbow.image->pixels[i] >> shift & 0xFF;
      brightest = c > brightest ? c : brightest;
    }
  EXPECT_LE(2 * brightest, 0xC0u);
  EXPECT_GE(brightest, 0x40u) << "too dark to be seen";
}

TEST(Generator, PaintsTheSameBytesEveryRun) {
  ScratchFolder directory("vorn-assets");
  ASSERT_FALSE(directory.path().empty());
  // ./vorn2112-assets, or .\vorn2112-assets for Windows' command processor;
  // a cross build's through the emulator of its processor.
  const std::string command = std::string(VORN_TEST_EMULATOR " ") +
                              (std::filesystem::path(".") / "vorn2112-assets").string() + " " +
                              directory.path().string();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char *name : {"font8x8.pbm", "V.ppm", "O.ppm", "R.ppm", "N.ppm", "vorn-fernmoor.ppm",
                           "vorn-2008.ppm", "vorn-rainbow.ppm"}) {
    std::ifstream a(name, std::ios::binary), b(directory / name, std::ios::binary);
    std::string built{std::istreambuf_iterator<char>(a), {}};
    std::string again{std::istreambuf_iterator<char>(b), {}};
    EXPECT_FALSE(built.empty()) << name;
    EXPECT_TRUE(built == again) << name;
  }
}

}  // namespace
