#include <gtest/gtest.h>

#include <string>

#include "img/img.h"
#include "text/scroll.h"

namespace {

Image *makeImage(int32_t w, int32_t h) {
  Image *image = IMGNew();
  IMGResize(image, w, h);
  return image;
}

// Every pixel of glyph k on the 128 x 64 sheet of 8 x 8 glyphs is distinct.
uint32_t sheetPixel(int32_t code, int32_t gx, int32_t gy) {
  return static_cast<uint32_t>(code + 1) << 8 | static_cast<uint32_t>(gy * 8 + gx + 1);
}

Font *makeFont() {
  Font *font = FONTNew();
  font->width = 8;
  font->height = 8;
  font->sheet = makeImage(128, 64);
  for (int32_t y = 0; y < 64; y++)
    for (int32_t x = 0; x < 128; x++)
      font->sheet->pixels[y * 128 + x] = sheetPixel(y / 8 * 16 + x / 8, x % 8, y % 8);
  return font;
}

// 90 different printable characters.
std::string makeText() {
  std::string text;
  for (char c = '!'; c < '!' + 90; c++) text += c;
  return text;
}

struct ScrollTest : ::testing::Test {
  std::string text = makeText();
  Font *font = makeFont();
  Image *strip = makeImage(640, 8);
  Scroller *scroller = SCROLLNew();
  void SetUp() override {
    SCROLLSet(scroller, text.c_str(), font, strip);
    scroller->width = strip->width;
  }
  void TearDown() override {
    SCROLLFree(&scroller);
    FONTFree(&font);
    IMGFree(&strip);
  }
  void frame() {
    IMGClear(strip);
    SCROLLDraw(scroller);
  }
  // Independent model of one frame: column c of the strip shows pixel
  // position * 8 + offset + c of the endless repetition of the text.
  ::testing::AssertionResult stripShows(int32_t position, int32_t offset) {
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t c = 0; c < strip->width; c++) {
      int32_t p = position * 8 + offset + c;
      int32_t code = static_cast<signed char>(text[(p / 8) % length]);
      for (int32_t row = 0; row < 8; row++) {
        uint32_t expected = code < 0 ? 0 : sheetPixel(code, p % 8, row);
        if (strip->pixels[row * strip->width + c] != expected)
          return ::testing::AssertionFailure() << "column " << c << " row " << row;
      }
    }
    return ::testing::AssertionSuccess();
  }
  void expectState(int32_t position, int32_t offset) {
    EXPECT_EQ(scroller->cursor->position, position);
    EXPECT_EQ(scroller->offset, offset);
  }
};

TEST(Scroll, NewScrollerHoldsTheDefaults) {
  Scroller *scroller = SCROLLNew();
  ASSERT_NE(scroller, nullptr);
  EXPECT_EQ(scroller->x, 0);
  EXPECT_EQ(scroller->y, 0);
  EXPECT_EQ(scroller->width, 0);
  EXPECT_EQ(scroller->speed, 1);
  EXPECT_EQ(scroller->offset, 0);
  EXPECT_STREQ(scroller->text, "A scroll's default text. ");
  EXPECT_EQ(scroller->cursor->length, 25);
  EXPECT_EQ(scroller->cursor->tag, 1);
  EXPECT_EQ(scroller->cursor->position, 0);
  EXPECT_EQ(scroller->font->width, 6);
  EXPECT_EQ(scroller->font->sheet, nullptr);
  EXPECT_EQ(scroller->target, nullptr);
  testing::internal::CaptureStdout();
  SCROLLDraw(scroller);
  for (int i = 0; i < 13; i++) SCROLLAdvance(scroller);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(scroller->cursor->position, 2);
  EXPECT_EQ(scroller->offset, 1);
  // The default font is released here; LeakSanitizer checks it.
  SCROLLFree(&scroller);
  EXPECT_EQ(scroller, nullptr);
  SCROLLFree(&scroller);
  SCROLLFree(nullptr);
}

TEST(Scroll, LengthCountsBytesBeforeTheNul) {
  EXPECT_EQ(SCROLLLength(""), 0);
  EXPECT_EQ(SCROLLLength("abc\xff"), 4);
  EXPECT_EQ(SCROLLLength(nullptr), 0);
}

TEST_F(ScrollTest, SetWithANullArgumentChangesNothing) {
  Cursor *cursor = scroller->cursor;
  SCROLLSet(scroller, nullptr, font, strip);
  SCROLLSet(scroller, "x", nullptr, strip);
  SCROLLSet(scroller, "x", font, nullptr);
  SCROLLSet(nullptr, "x", font, strip);
  EXPECT_EQ(scroller->cursor, cursor);
  EXPECT_EQ(scroller->text, text.c_str());
  EXPECT_EQ(scroller->font, font);
}

TEST_F(ScrollTest, SetRestartsTheTextAndKeepsTheGeometry) {
  scroller->x = 3;
  scroller->y = 4;
  scroller->speed = 5;
  SCROLLAdvance(scroller);
  SCROLLAdvance(scroller);
  expectState(1, 2);
  Font *other = makeFont();
  SCROLLSet(scroller, "abc", other, strip);
  EXPECT_EQ(scroller->cursor->position, 0);
  EXPECT_EQ(scroller->cursor->length, 3);
  EXPECT_EQ(scroller->offset, 2);
  EXPECT_EQ(scroller->speed, 5);
  EXPECT_EQ(scroller->x, 3);
  EXPECT_EQ(scroller->y, 4);
  EXPECT_EQ(scroller->width, 640);
  SCROLLSet(scroller, text.c_str(), font, strip);
  // The font given by the earlier Set still belongs to its caller.
  EXPECT_EQ(other->width, 8);
  FONTFree(&other);
}

TEST_F(ScrollTest, WorkedFramesMoveOnePixelAFrame) {
  for (int32_t f = 0; f <= 8; f++) {
    frame();
    ASSERT_TRUE(stripShows(f / 8, f % 8)) << "frame " << f;
    SCROLLAdvance(scroller);
  }
  expectState(1, 1);
}

TEST_F(ScrollTest, TextRepeatsEndlesslyAcrossFrames) {
  const int32_t frames = 8 * static_cast<int32_t>(text.size());
  for (int32_t f = 0; f < frames; f++) SCROLLAdvance(scroller);
  expectState(0, 0);
  scroller->offset = 3;
  scroller->cursor->position = 85;
  frame();
  EXPECT_TRUE(stripShows(85, 3));
}

TEST_F(ScrollTest, DrawRestoresTheCursor) {
  scroller->cursor->position = 42;
  frame();
  EXPECT_EQ(scroller->cursor->position, 42);
  EXPECT_TRUE(stripShows(42, 0));
}

TEST_F(ScrollTest, BackwardCarriesHoldAWholeGlyphAsOffset) {
  scroller->speed = -1;
  SCROLLAdvance(scroller);
  expectState(89, 7);
  scroller->speed = -8;
  scroller->cursor->position = 10;
  scroller->offset = 0;
  SCROLLAdvance(scroller);
  expectState(8, 8);
  frame();
  EXPECT_TRUE(stripShows(9, 0));
  scroller->speed = 0;
  SCROLLAdvance(scroller);
  expectState(9, 0);
  SCROLLAdvance(scroller);
  expectState(9, 0);
}

TEST_F(ScrollTest, LargeSpeedsCarryManyGlyphsInOneAdvance) {
  scroller->speed = 20;
  SCROLLAdvance(scroller);
  expectState(2, 4);
  scroller->speed = -8 * 90 * 3 - 5;  // three whole turns and 5 pixels back
  SCROLLAdvance(scroller);
  expectState(1, 7);
  scroller->speed = INT32_MAX;
  scroller->offset = INT32_MAX;
  SCROLLAdvance(scroller);
  const int64_t pixels = 1 * 8 + int64_t{INT32_MAX} * 2;
  expectState(static_cast<int32_t>(pixels / 8 % 90), static_cast<int32_t>(pixels % 8));
  scroller->speed = INT32_MIN;
  scroller->offset = 0;
  scroller->cursor->position = 0;
  SCROLLAdvance(scroller);
  EXPECT_GE(scroller->offset, 1);
  EXPECT_LE(scroller->offset, 8);
  const int64_t back = int64_t{INT32_MIN} - scroller->offset;
  EXPECT_EQ(back % 8, 0);
  EXPECT_EQ(((back / 8) % 90 + 90) % 90, scroller->cursor->position);
}

TEST_F(ScrollTest, GlyphCountFollowsTheWidth) {
  Image *wide = makeImage(1000, 8);
  SCROLLSet(scroller, text.c_str(), font, wide);
  auto drawnGlyphs = [&] {
    IMGClear(wide);
    SCROLLDraw(scroller);
    int32_t n = 0;
    while (n * 8 < wide->width && wide->pixels[n * 8] != 0) n++;
    return n;
  };
  scroller->width = 640;
  EXPECT_EQ(drawnGlyphs(), 81);
  scroller->width = 7;
  EXPECT_EQ(drawnGlyphs(), 1);
  scroller->width = 0;
  EXPECT_EQ(drawnGlyphs(), 1);
  scroller->width = INT32_MAX;
  EXPECT_EQ(drawnGlyphs(), 125);
  IMGFree(&wide);
}

TEST_F(ScrollTest, ShortTextIsRepeatedAcrossTheStrip) {
  text = "xyz";
  IMGResize(strip, 40 * 8, 8);
  SCROLLSet(scroller, text.c_str(), font, strip);
  scroller->width = strip->width;
  frame();
  EXPECT_TRUE(stripShows(0, 0));
}

TEST_F(ScrollTest, HighBytesDrawNothingButTakeTheirWidth) {
  text =
      "a\x80\xff"
      "b";
  SCROLLSet(scroller, text.c_str(), font, strip);
  frame();
  EXPECT_TRUE(stripShows(0, 0));
  EXPECT_EQ(strip->pixels[8], 0u);
  EXPECT_NE(strip->pixels[24], 0u);
}

TEST_F(ScrollTest, PositionAndOffsetPlaceTheText) {
  scroller->x = 16;
  scroller->y = 2;
  scroller->width = 16;
  scroller->offset = 3;
  Image *target = makeImage(64, 12);
  SCROLLSet(scroller, text.c_str(), font, target);
  SCROLLDraw(scroller);
  // Three glyphs from column 13: characters 0, 1 and 2.
  EXPECT_EQ(IMGGetPixel(target, 12, 2), 0u);
  EXPECT_EQ(IMGGetPixel(target, 13, 2), sheetPixel('!', 0, 0));
  EXPECT_EQ(IMGGetPixel(target, 36, 9), sheetPixel('#', 7, 7));
  EXPECT_EQ(IMGGetPixel(target, 37, 2), 0u);
  EXPECT_EQ(IMGGetPixel(target, 13, 1), 0u);
  IMGFree(&target);
}

TEST_F(ScrollTest, EmptyTextOrEmptyGlyphsDrawAndMoveNothing) {
  SCROLLSet(scroller, "", font, strip);
  scroller->offset = 5;
  frame();
  SCROLLAdvance(scroller);
  EXPECT_EQ(scroller->offset, 5);
  EXPECT_EQ(scroller->cursor->position, 0);
  SCROLLSet(scroller, text.c_str(), font, strip);
  for (int32_t w : {0, -8}) {
    font->width = w;
    frame();
    SCROLLAdvance(scroller);
    EXPECT_EQ(scroller->offset, 5);
  }
  font->width = 8;
  for (int32_t i = 0; i < strip->width * strip->height; i++) ASSERT_EQ(strip->pixels[i], 0u);
}

TEST_F(ScrollTest, FarOffTextIsClippedWithoutOverflow) {
  scroller->x = INT32_MIN;
  scroller->offset = 7;
  frame();
  scroller->x = INT32_MAX;
  scroller->offset = -7;
  frame();
  for (int32_t i = 0; i < strip->width * strip->height; i++) ASSERT_EQ(strip->pixels[i], 0u);
  EXPECT_EQ(scroller->cursor->position, 0);
}

TEST(Scroll, DefaultFontIsReleasedWhenSetReplacesIt) {
  Scroller *scroller = SCROLLNew();
  Font *font = FONTNew();
  Image *target = makeImage(8, 8);
  SCROLLSet(scroller, "abc", font, target);
  SCROLLFree(&scroller);
  // The caller's font survives the scroller.
  EXPECT_EQ(font->width, 6);
  FONTFree(&font);
  IMGFree(&target);
}

}  // namespace
