#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "img/img.h"
#include "tests/support.h"
#include "text/scroll.h"

namespace {

// 8 x 8 glyphs of distinct pixels, a 640 x 8 strip and a text of 90 distinct
// characters, set up as the demo does.
struct ScrollTest : ::testing::Test {
  std::string text;
  Font *font = FONTNew();
  Image *strip = makeImage(640, 8);
  Scroller *scroller = SCROLLNew();
  void SetUp() override {
    for (char c = '!'; c < '!' + 90; c++) text += c;
    font->width = font->height = 8;
    font->sheet = makeGlyphSheet();
    set(text);
  }
  void TearDown() override {
    SCROLLFree(&scroller);
    FONTFree(&font);
    IMGFree(&strip);
  }
  void set(const std::string &t) {
    text = t;
    SCROLLSet(scroller, text.c_str(), font, strip);
    scroller->width = strip->width;
  }
  // Independent model of a frame: column c shows pixel position * 8 + offset
  // + c of the text repeated endlessly.
  ::testing::AssertionResult frameShows(int32_t position, int32_t offset) {
    IMGClear(strip);
    SCROLLDraw(scroller);
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < strip->width * 8; i++) {
      int32_t p = position * 8 + offset + i % strip->width;
      int32_t code = static_cast<signed char>(text[p / 8 % length]);
      uint32_t expected = code < 0 ? 0 : glyphPixel(code, p % 8, i / strip->width);
      if (strip->pixels[i] != expected) return ::testing::AssertionFailure() << "pixel " << i;
    }
    return ::testing::AssertionSuccess();
  }
  void advanceExpect(int32_t speed, int32_t position, int32_t offset) {
    scroller->speed = speed;
    SCROLLAdvance(scroller);
    EXPECT_EQ(scroller->cursor->position, position) << "speed " << speed;
    EXPECT_EQ(scroller->offset, offset) << "speed " << speed;
  }
};

TEST(Scroll, NewScrollerScrollsItsDefaultTextWithoutATarget) {
  Scroller *s = SCROLLNew();
  EXPECT_EQ((std::array{s->x, s->y, s->width, s->speed, s->offset}), (std::array{0, 0, 0, 1, 0}));
  EXPECT_STREQ(s->text, "A scroll's default text. ");
  EXPECT_EQ((std::array{s->cursor->tag, s->cursor->length, s->font->width}),
            (std::array{1, 25, 6}));
  SCROLLDraw(s);  // no target: reported silently
  for (int i = 0; i < 13; i++) SCROLLAdvance(s);
  EXPECT_EQ((std::pair{s->cursor->position, s->offset}), (std::pair{2, 1}));
  SCROLLFree(&s);  // releases the default font (LeakSanitizer)
  EXPECT_EQ(s, nullptr);
  SCROLLFree(&s);
  EXPECT_EQ(SCROLLLength("abc\xff"), 4);
}

TEST_F(ScrollTest, SetKeepsTheGeometryAndNeverTakesTheCallersFont) {
  Cursor *cursor = scroller->cursor;
  SCROLLSet(scroller, nullptr, font, strip);
  SCROLLSet(scroller, "x", nullptr, strip);
  SCROLLSet(scroller, "x", font, nullptr);
  EXPECT_EQ(scroller->cursor, cursor);
  scroller->x = 3;
  advanceExpect(13, 1, 5);
  Font *other = FONTNew();
  SCROLLSet(scroller, "abc", other, strip);
  EXPECT_EQ((std::array{scroller->cursor->position, scroller->cursor->length, scroller->offset,
                        scroller->speed, scroller->x}),
            (std::array{0, 3, 5, 13, 3}));
  SCROLLSet(scroller, text.c_str(), font, strip);
  FONTFree(&other);  // still the caller's: no double release
}

TEST_F(ScrollTest, WorkedFramesMoveOnePixelAFrameAndRestoreTheCursor) {
  for (int32_t f = 0; f <= 8; f++) {
    ASSERT_TRUE(frameShows(f / 8, f % 8)) << "frame " << f;
    EXPECT_EQ(scroller->cursor->position, f / 8);
    SCROLLAdvance(scroller);
  }
  for (int32_t f = 9; f < 8 * 90; f++) SCROLLAdvance(scroller);
  EXPECT_EQ((std::pair{scroller->cursor->position, scroller->offset}), (std::pair{0, 0}));
  scroller->cursor->position = 85;  // the text's end is followed by its start
  EXPECT_TRUE(frameShows(85, 0));
}

TEST_F(ScrollTest, CarriesInBothDirections) {
  advanceExpect(-1, 89, 7);
  scroller->offset = 0;
  scroller->cursor->position = 10;
  advanceExpect(-8, 8, 8);
  EXPECT_TRUE(frameShows(9, 0));
  advanceExpect(0, 9, 0);
  advanceExpect(20, 11, 4);
  advanceExpect(-8 * 90 * 3 - 5, 10, 7);
  scroller->offset = INT32_MAX;
  const int64_t pixels = 10 * 8 + int64_t{INT32_MAX} * 2;
  advanceExpect(INT32_MAX, static_cast<int32_t>(pixels / 8 % 90), static_cast<int32_t>(pixels % 8));
}

TEST_F(ScrollTest, GlyphCountFollowsTheWidth) {
  IMGResize(strip, 1000, 8);
  for (auto [width, glyphs] : {std::pair{640, 81}, {7, 1}, {0, 1}, {INT32_MAX, 125}}) {
    scroller->width = width;
    IMGClear(strip);
    SCROLLDraw(scroller);
    int32_t n = 0;
    while (n < 125 && strip->pixels[n * 8] != 0) n++;
    EXPECT_EQ(n, glyphs) << "width " << width;
  }
}

TEST_F(ScrollTest, ShortTextsRepeatAndHighBytesKeepTheirWidth) {
  IMGResize(strip, 40 * 8, 8);
  set("xyz");
  EXPECT_TRUE(frameShows(0, 0));
  set("a\x80\xff"
      "b");
  EXPECT_TRUE(frameShows(0, 0));
  EXPECT_NE(strip->pixels[24], 0u);
}

TEST_F(ScrollTest, EmptyTextsEmptyGlyphsAndFarPositionsDrawAndMoveNothing) {
  set("");
  scroller->offset = 5;
  advanceExpect(1, 0, 5);
  SCROLLDraw(scroller);
  set(std::string(90, 'q'));
  for (int32_t w : {0, -8}) {
    font->width = w;
    advanceExpect(1, 0, 5);
    SCROLLDraw(scroller);
  }
  font->width = 8;
  scroller->x = INT32_MIN;
  SCROLLDraw(scroller);
  scroller->x = INT32_MAX;
  SCROLLDraw(scroller);
  for (int32_t i = 0; i < 640 * 8; i++) ASSERT_EQ(strip->pixels[i], 0u);
}

// A scroller far left of its target with a vast width shows what the model
// says, and its cursor is as it was: only the glyphs that touch the target
// cost anything.
TEST_F(ScrollTest, FarLeftScrollersShowTheRightGlyphsAndKeepTheCursor) {
  scroller->x = -1000003;
  scroller->offset = 3;
  scroller->width = INT32_MAX;
  EXPECT_TRUE(frameShows(0, 1000006));
  scroller->cursor->position = 17;
  EXPECT_TRUE(frameShows(17, 1000006));
  EXPECT_EQ(scroller->cursor->position, 17);
  EXPECT_EQ(scroller->cursor->step, 1);

  // From the far left end only the last of 2^28 glyphs reaches the target,
  // with its five right-hand columns.
  scroller->x = INT32_MIN + 5;
  scroller->offset = 0;
  scroller->cursor->position = 0;
  IMGClear(strip);
  SCROLLDraw(scroller);
  const int32_t code = text[INT32_MAX / 8 % 90];
  for (int32_t row = 0; row < 8; row++)
    for (int32_t column = 0; column < 640; column++)
      ASSERT_EQ(strip->pixels[row * 640 + column],
                column < 5 ? glyphPixel(code, column + 3, row) : 0u)
          << column << ", " << row;
  EXPECT_EQ(scroller->cursor->position, 0);
}

}  // namespace
