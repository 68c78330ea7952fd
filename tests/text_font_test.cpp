#include <gtest/gtest.h>

#include <vector>

#include "img/img.h"
#include "text/font.h"

namespace {

Image *makeImage(int32_t w, int32_t h) {
  Image *image = IMGNew();
  IMGResize(image, w, h);
  return image;
}

// Every pixel of glyph k on a 128 x 64 sheet of 8 x 8 glyphs says which glyph
// and which pixel of it it is: (k + 1) << 8 | (row * 8 + column).
uint32_t sheetPixel(int32_t code, int32_t gx, int32_t gy) {
  return static_cast<uint32_t>(code + 1) << 8 | static_cast<uint32_t>(gy * 8 + gx);
}

struct FontTest : ::testing::Test {
  Font *font = FONTNew();
  Image *target = makeImage(64, 16);
  void SetUp() override {
    font->width = 8;
    font->height = 8;
    font->sheet = makeImage(128, 64);
    for (int32_t y = 0; y < 64; y++)
      for (int32_t x = 0; x < 128; x++)
        font->sheet->pixels[y * 128 + x] = sheetPixel(y / 8 * 16 + x / 8, x % 8, y % 8);
  }
  void TearDown() override {
    FONTFree(&font);
    IMGFree(&target);
  }
  // The glyph code drawn with its top-left corner at (x, y), or -1 when the
  // 8 x 8 cell there is not one whole glyph.
  int32_t glyphAt(int32_t x, int32_t y) {
    uint32_t first = IMGGetPixel(target, x, y);
    if (first == 0 || (first & 0xFF) != 0) return -1;
    int32_t code = static_cast<int32_t>(first >> 8) - 1;
    for (int32_t gy = 0; gy < 8; gy++)
      for (int32_t gx = 0; gx < 8; gx++)
        if (IMGGetPixel(target, x + gx, y + gy) != sheetPixel(code, gx, gy)) return -1;
    return code;
  }
  bool targetIsBlank() {
    for (int32_t i = 0; i < target->width * target->height; i++)
      if (target->pixels[i] != 0) return false;
    return true;
  }
  std::vector<int32_t> glyphRow(int32_t count) {
    std::vector<int32_t> codes;
    for (int32_t i = 0; i < count; i++) codes.push_back(glyphAt(i * 8, 0));
    return codes;
  }
};

TEST(Font, NewFontHasNoSheetAndDrawsNothing) {
  Font *font = FONTNew();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->width, 6);
  EXPECT_EQ(font->height, 6);
  EXPECT_EQ(font->sheet, nullptr);
  Image *target = makeImage(8, 8);
  testing::internal::CaptureStdout();
  FONTDrawChar(font, 65, 0, 0, target);
  FONTDrawLine(font, "AB\n", 0, 0, target);
  FONTDrawHex32(font, 0x12345678, 0, 0, target);
  FONTDrawChar(nullptr, 65, 0, 0, target);
  FONTDrawHex8(nullptr, 1, 0, 0, target);
  FONTDrawLine(font, nullptr, 0, 0, target);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  for (int32_t i = 0; i < 64; i++) EXPECT_EQ(target->pixels[i], 0u);
  IMGFree(&target);
  FONTFree(&font);
  EXPECT_EQ(font, nullptr);
  FONTFree(&font);
  FONTFree(nullptr);
}

TEST_F(FontTest, SheetIsAddressedAsOneLongStripOfGlyphs) {
  for (int32_t code : {0, 15, 16, 65, 127}) {
    IMGClear(target);
    FONTDrawChar(font, code, 3, 5, target);
    EXPECT_EQ(glyphAt(3, 5), code);
  }
  // Code 65 lies at column 8, row 32 of the sheet.
  EXPECT_EQ(sheetPixel(65, 0, 0), font->sheet->pixels[32 * 128 + 8]);
}

TEST_F(FontTest, CodesOutsideTheSheetDrawNothing) {
  for (int32_t code : {128, -1, -16, -17, -128, INT32_MIN, INT32_MAX}) {
    FONTDrawChar(font, code, 0, 0, target);
    EXPECT_TRUE(targetIsBlank()) << code;
  }
}

TEST_F(FontTest, ZeroSheetPixelsAreTransparent) {
  font->sheet->pixels[8 * 8 + 0] = 0;  // code 8, glyph pixel (0, 0)
  IMGPutPixel(target, 0, 0, 0x00123456);
  FONTDrawChar(font, 8, 0, 0, target);
  EXPECT_EQ(IMGGetPixel(target, 0, 0), 0x00123456u);
  EXPECT_EQ(IMGGetPixel(target, 1, 0), sheetPixel(8, 1, 0));
}

TEST_F(FontTest, GlyphIsClippedAtTheTargetEdge) {
  FONTDrawChar(font, 65, -3, 0, target);
  for (int32_t x = 0; x < 5; x++) EXPECT_EQ(IMGGetPixel(target, x, 0), sheetPixel(65, x + 3, 0));
  EXPECT_EQ(IMGGetPixel(target, 5, 0), 0u);
}

TEST_F(FontTest, HexDigitsAreUpperCaseWithLeadingZeros) {
  FONTDrawHex8(font, 0x3A, 0, 0, target);
  EXPECT_EQ(glyphRow(2), (std::vector<int32_t>{'3', 'A'}));
  FONTDrawHex8(font, 0x00, 0, 0, target);
  EXPECT_EQ(glyphRow(2), (std::vector<int32_t>{'0', '0'}));
  FONTDrawHex8(font, 0xFF, 0, 0, target);
  EXPECT_EQ(glyphRow(2), (std::vector<int32_t>{'F', 'F'}));
  FONTDrawHex16(font, 0x12AB, 0, 0, target);
  EXPECT_EQ(glyphRow(4), (std::vector<int32_t>{'1', '2', 'A', 'B'}));
  FONTDrawHex32(font, 0x1F, 0, 0, target);
  EXPECT_EQ(glyphRow(8), (std::vector<int32_t>{'0', '0', '0', '0', '0', '0', '1', 'F'}));
  FONTDrawHex32(font, 0x9ABCDEF0, 0, 8, target);
  for (int32_t i = 0; i < 8; i++) EXPECT_EQ(glyphAt(i * 8, 8), "9ABCDEF0"[i]);
}

TEST_F(FontTest, LineStopsAtLineFeedOrNul) {
  FONTDrawLine(font, "\nAB", 0, 0, target);
  EXPECT_TRUE(targetIsBlank());
  FONTDrawLine(font, "AB\nCD", 0, 0, target);
  EXPECT_EQ(glyphRow(3), (std::vector<int32_t>{'A', 'B', -1}));
  IMGClear(target);
  // Only the three bytes are readable: a NUL ends the line like a line feed.
  const char *text = new char[3]{'X', 'Y', '\0'};
  FONTDrawLine(font, text, 0, 0, target);
  EXPECT_EQ(glyphRow(3), (std::vector<int32_t>{'X', 'Y', -1}));
  delete[] text;
}

TEST_F(FontTest, HighBytesDrawNothingButTakeTheirWidth) {
  const char text[] = {'A', static_cast<char>(0xC1), static_cast<char>(0xFF), 'B', '\n', 0};
  FONTDrawLine(font, text, 0, 0, target);
  EXPECT_EQ(glyphAt(0, 0), 'A');
  for (int32_t x = 8; x < 24; x++) EXPECT_EQ(IMGGetPixel(target, x, 0), 0u);
  EXPECT_EQ(glyphAt(24, 0), 'B');
}

TEST_F(FontTest, DegenerateGlyphSizesOrSheetsDrawNothing) {
  for (auto [w, h] : {std::pair{0, 8}, {8, 0}, {-8, 8}, {8, -8}}) {
    font->width = w;
    font->height = h;
    FONTDrawLine(font, "ABC", 0, 0, target);
    FONTDrawHex16(font, 0x1234, 0, 0, target);
    EXPECT_TRUE(targetIsBlank());
  }
  font->width = 8;
  font->height = 8;
  IMGResize(font->sheet, 0, 64);
  FONTDrawLine(font, "ABC", 0, 0, target);
  EXPECT_TRUE(targetIsBlank());
}

TEST_F(FontTest, LineFarToTheRightStopsWithoutOverflow) {
  FONTDrawLine(font, "ABCDEFGH", INT32_MAX - 20, 0, target);
  FONTDrawHex32(font, 0xFFFFFFFF, INT32_MAX - 20, 0, target);
  EXPECT_TRUE(targetIsBlank());
}

TEST_F(FontTest, NullTargetIsReportedByTheBlit) {
  testing::internal::CaptureStdout();
  FONTDrawChar(font, 65, 0, 0, nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMG error\n");
}

}  // namespace
