#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "img/img.h"
#include "tests/support.h"
#include "text/font.h"

namespace {

// 8 x 8 glyphs on a 128 x 64 sheet (16 glyphs a row, codes 0 .. 127) drawn
// into a 64 x 16 target.
struct FontTest : ::testing::Test {
  Font *font = FONTNew();
  Image *target = makeImage(64, 16);
  void SetUp() override {
    font->width = font->height = 8;
    font->sheet = makeGlyphSheet();
  }
  void TearDown() override {
    FONTFree(&font);
    IMGFree(&target);
  }
  // The glyphs drawn at x = 0, 8, 16, ... of row 0, '.' for a blank cell and
  // '?' for anything else.
  std::string row(int32_t cells) {
    std::string s;
    for (int32_t c = 0; c < cells; c++) {
      uint32_t p = IMGGetPixel(target, c * 8, 0);
      int32_t k = static_cast<int32_t>(p >> 8) - 1;
      bool whole = p != 0;
      for (int32_t i = 0; i < 64 && whole; i++)
        whole = IMGGetPixel(target, c * 8 + i % 8, i / 8) == glyphPixel(k, i % 8, i / 8);
      s += p == 0 ? '.' : whole ? static_cast<char>(k) : '?';
    }
    return s;
  }
  bool blank() { return row(8) == "........" && IMGGetPixel(target, 0, 8) == 0; }
};

TEST_F(FontTest, SheetIsOneLongStripOfGlyphs) {
  for (int32_t code : {0, 15, 16, 65, 127}) {
    IMGClear(target);
    FONTDrawChar(font, code, 0, 0, target);
    EXPECT_EQ(row(1), std::string(1, static_cast<char>(code)));
  }
  EXPECT_EQ(font->sheet->pixels[32 * 128 + 8], glyphPixel(65, 0, 0));  // column 8, row 32
  IMGClear(target);
  for (int32_t code : {128, -1, -16, -17, INT32_MIN, INT32_MAX})
    FONTDrawChar(font, code, 0, 0, target);
  EXPECT_TRUE(blank());
}

TEST_F(FontTest, ZeroPixelsAreTransparentAndGlyphsAreClipped) {
  font->sheet->pixels[32 * 128 + 8] = 0;
  target->pixels[0] = 0x123456;
  FONTDrawChar(font, 65, 0, 0, target);
  EXPECT_EQ(target->pixels[0], 0x123456u);
  IMGClear(target);
  FONTDrawChar(font, 65, -3, 0, target);
  for (int32_t x = 0; x < 5; x++) EXPECT_EQ(target->pixels[x], glyphPixel(65, x + 3, 0));
  EXPECT_EQ(target->pixels[5], 0u);
}

TEST_F(FontTest, HexDigitsAreUpperCaseWithLeadingZeros) {
  FONTDrawHex8(font, 0x3A, 0, 0, target);
  EXPECT_EQ(row(2), "3A");
  FONTDrawHex8(font, 0xFF, 0, 0, target);
  EXPECT_EQ(row(2), "FF");
  FONTDrawHex16(font, 0x12AB, 0, 0, target);
  EXPECT_EQ(row(4), "12AB");
  FONTDrawHex32(font, 0x1F, 0, 0, target);
  EXPECT_EQ(row(8), "0000001F");
  FONTDrawHex32(font, 0x9ABCDEF0, 0, 0, target);
  EXPECT_EQ(row(8), "9ABCDEF0");
}

TEST_F(FontTest, LineEndsAtLineFeedOrNulAndHighBytesKeepTheirWidth) {
  FONTDrawLine(font, "\nAB", 0, 0, target);
  EXPECT_TRUE(blank());
  FONTDrawLine(font, "AB\nCD", 0, 0, target);
  EXPECT_EQ(row(3), "AB.");
  IMGClear(target);
  char *text = new char[5]{'X', '\x80', '\xFF', 'Y', '\0'};  // no line feed to find
  FONTDrawLine(font, text, 0, 0, target);
  delete[] text;
  EXPECT_EQ(row(5), "X..Y.");
}

TEST_F(FontTest, DegenerateFontsAndFarPositionsDrawNothing) {
  for (auto [w, h] : {std::pair{0, 8}, {8, 0}, {-8, 8}}) {
    font->width = w;
    font->height = h;
    FONTDrawLine(font, "ABC", 0, 0, target);
  }
  font->width = font->height = 8;
  FONTDrawLine(font, "ABCDEFGH", INT32_MAX - 20, 0, target);
  FONTDrawHex32(font, 0xFFFFFFFF, INT32_MAX - 20, 0, target);
  IMGResize(font->sheet, 0, 64);
  FONTDrawChar(font, 65, 0, 0, target);
  EXPECT_TRUE(blank());
}

TEST(Font, WithoutSheetOrTargetNothingIsDrawn) {
  Font *font = FONTNew();
  EXPECT_EQ((std::pair{font->width, font->height}), (std::pair{6, 6}));
  Image *target = IMGNew();
  testing::internal::CaptureStdout();
  FONTDrawLine(font, "AB\n", 0, 0, target);  // FONTError is silent
  FONTDrawHex8(nullptr, 1, 0, 0, target);
  FONTDrawLine(font, nullptr, 0, 0, target);
  font->sheet = IMGNew();
  FONTDrawChar(font, 1, 0, 0, nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMG error\n");
  IMGFree(&target);
  FONTFree(&font);  // releases the sheet too (LeakSanitizer)
  EXPECT_EQ(font, nullptr);
}

}  // namespace
