#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "app/effects.h"
#include "img/img.h"

namespace {

Image *makeImage(int32_t w, int32_t h, uint32_t fill = 0) {
  Image *image = IMGNew();
  IMGResize(image, w, h);
  std::fill(image->pixels, image->pixels + w * h, fill);
  return image;
}

// Fills an image with distinct values that carry into the next channel when
// added, zeros among them.
void paint(Image *image, uint32_t seed) {
  for (int32_t i = 0; i < image->width * image->height; i++)
    image->pixels[i] = (i % 7 == 3) ? 0 : (static_cast<uint32_t>(i) * 0x9E3779B1u + seed);
}

// The generator's recurrence, kept apart from the code under test.
struct ModelRandom {
  uint32_t state;
  int32_t next() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
  }
  // Finds the generator's current state from three of its draws: the draw
  // hides the top bit and the low 16 bits of the state.
  static ModelRandom catchUp() {
    int32_t a = VORN2112Random(), b = VORN2112Random(), c = VORN2112Random();
    for (uint32_t hidden = 0; hidden < (1u << 17); hidden++) {
      ModelRandom m{(hidden >> 16) << 31 | static_cast<uint32_t>(a) << 16 | (hidden & 0xFFFF)};
      if (m.next() == b && m.next() == c) return m;
    }
    ADD_FAILURE() << "no state gives these draws";
    return {0};
  }
};

std::string printed(const std::function<void()> &action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// Must stay the first test: it needs the generator untouched.
TEST(Random, FirstDrawsOfTheUnseededGenerator) {
  for (int32_t expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(VORN2112Random(), expected);
  ModelRandom model = ModelRandom::catchUp();
  for (int i = 0; i < 1000; i++) {
    int32_t r = VORN2112Random();
    ASSERT_EQ(r, model.next());
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
  }
}

TEST(Wrap, KeepsEveryValueInZeroToPeriod) {
  EXPECT_EQ(wrap(-11, 1024), 1013);
  EXPECT_EQ(wrap(1030, 1024), 6);
  EXPECT_EQ(wrap(1024, 1024), 0);
  EXPECT_EQ(wrap(-1024, 1024), 0);
  EXPECT_EQ(wrap(0, 1024), 0);
  EXPECT_EQ(wrap(2047, 1024), 1023);
  EXPECT_EQ(wrap(INT32_MIN, 1024), 0);
  EXPECT_EQ(wrap(INT32_MIN + 1, 1024), 1);
  EXPECT_EQ(wrap(INT32_MAX, 1024), 1023);
  EXPECT_EQ(wrap(5, 0), 0);
  EXPECT_EQ(wrap(5, -3), 0);
}

TEST(Effects, NullImagesAreReportedAndChangeNothing) {
  Image *image = makeImage(2, 2, 5);
  std::string expected;
  for (int i = 0; i < 9; i++) expected += "IMG error\n";
  EXPECT_EQ(printed([&] {
              VORN2112Darken(nullptr, 4);
              VORN2112BlitAverage(nullptr, image, 0, 0);
              VORN2112BlitAverage(image, nullptr, 0, 0);
              VORN2112BlitAdd(nullptr, image, 0, 0);
              VORN2112BlitAdd(image, nullptr, 0, 0);
              VORN2112Mask(nullptr, image);
              VORN2112Mask(image, nullptr);
              VORN2112Dissolve(nullptr, 10);
              VORN2112Stars(nullptr, 10);
            }),
            expected);
  for (int32_t i = 0; i < 4; i++) EXPECT_EQ(image->pixels[i], 5u);
  IMGFree(&image);
}

TEST(Darken, SubtractsFromEachChannelStoppingAtZero) {
  Image *image = makeImage(3, 2, 0x00FF8002);
  image->pixels[4] = 0xAB030405;
  VORN2112Darken(image, 4);
  EXPECT_EQ(image->pixels[0], 0x00FB7C00u);
  EXPECT_EQ(image->pixels[5], 0x00FB7C00u);
  EXPECT_EQ(image->pixels[4], 0x00000001u);
  IMGFree(&image);
  image = makeImage(1, 1, 0x00FF8002);
  VORN2112Darken(image, 260);
  EXPECT_EQ(image->pixels[0], 0x00FB7C00u);
  VORN2112Darken(image, 0xFF);
  EXPECT_EQ(image->pixels[0], 0u);
  IMGFree(&image);
}

TEST(BlitAverage, HalvesBothWithoutCarries) {
  Image *source = makeImage(3, 1, 0x00FF0000);
  source->pixels[1] = 0x00000001;
  source->pixels[2] = 0;
  Image *destination = makeImage(3, 1, 0x00FF0000);
  destination->pixels[1] = 0x00000001;
  destination->pixels[2] = 0x00FFFFFF;
  VORN2112BlitAverage(source, destination, 0, 0);
  EXPECT_EQ(destination->pixels[0], 0x00FE0000u);
  EXPECT_EQ(destination->pixels[1], 0u);
  EXPECT_EQ(destination->pixels[2], 0x00FFFFFFu);
  IMGFree(&source);
  IMGFree(&destination);
}

TEST(BlitAdd, AddsWholeWordsWithCarries) {
  Image *source = makeImage(3, 1, 0x00000080);
  source->pixels[1] = 0x00010000;
  source->pixels[2] = 0;
  Image *destination = makeImage(3, 1, 0x00000080);
  destination->pixels[1] = 0x00FF0000;
  destination->pixels[2] = 0x00ABCDEF;
  VORN2112BlitAdd(source, destination, 0, 0);
  EXPECT_EQ(destination->pixels[0], 0x00000100u);
  EXPECT_EQ(destination->pixels[1], 0x01000000u);
  EXPECT_EQ(destination->pixels[2], 0x00ABCDEFu);
  IMGFree(&source);
  IMGFree(&destination);
}

using Blit = void (*)(const Image *, Image *, int32_t, int32_t);

uint32_t average(uint32_t s, uint32_t d) {
  return s == 0 ? d : ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
}
uint32_t add(uint32_t s, uint32_t d) { return s + d; }

// Pixel by pixel: every destination pixel under the placed source combines
// with the source pixel over it, the rest stays.
void expectPlaced(Blit blit, uint32_t (*combine)(uint32_t, uint32_t), int32_t x, int32_t y) {
  Image *source = makeImage(5, 4);
  paint(source, 0x01020304);
  Image *destination = makeImage(7, 6);
  paint(destination, 0x00300201);
  Image *before = IMGCopy(destination);
  blit(source, destination, x, y);
  for (int32_t dy = 0; dy < 6; dy++)
    for (int32_t dx = 0; dx < 7; dx++) {
      uint32_t d = IMGGetPixel(before, dx, dy);
      bool covered = dx - x >= 0 && dx - x < 5 && dy - y >= 0 && dy - y < 4;
      uint32_t expected = covered ? combine(IMGGetPixel(source, dx - x, dy - y), d) : d;
      ASSERT_EQ(IMGGetPixel(destination, dx, dy), expected)
          << "at " << dx << "," << dy << " placed at " << x << "," << y;
    }
  IMGFree(&source);
  IMGFree(&destination);
  IMGFree(&before);
}

TEST(PositionedBlits, AreCutAtEveryEdge) {
  for (auto [blit, combine] : {std::pair{&VORN2112BlitAverage, &average}, {&VORN2112BlitAdd, &add}})
    for (int32_t y = -5; y <= 7; y++)
      for (int32_t x = -6; x <= 8; x++) expectPlaced(blit, combine, x, y);
}

TEST(PositionedBlits, SourcesWhollyOutsideChangeNothingSilently) {
  Image *source = makeImage(5, 4, 0x00010101);
  Image *destination = makeImage(7, 6, 0x00202020);
  Image *before = IMGCopy(destination);
  EXPECT_EQ(printed([&] {
              for (Blit blit : {VORN2112BlitAverage, VORN2112BlitAdd}) {
                blit(source, destination, -5, 0);
                blit(source, destination, 7, 0);
                blit(source, destination, 0, -4);
                blit(source, destination, 0, 6);
                blit(source, destination, INT32_MAX, INT32_MAX);
                blit(source, destination, INT32_MIN, INT32_MIN);
              }
            }),
            "");
  EXPECT_TRUE(IMGEqual(destination, before));
  IMGFree(&source);
  IMGFree(&destination);
  IMGFree(&before);
}

TEST(PositionedBlits, OntoItselfRunFromTheBottomRightCorner) {
  Image *image = makeImage(6, 5);
  paint(image, 0x00010203);
  Image *model = IMGCopy(image);
  // The placed source covers columns 2 .. 5 and rows 1 .. 4 of the image.
  for (int32_t j = 3; j >= 0; j--)
    for (int32_t i = 3; i >= 0; i--)
      IMGPutPixel(model, 2 + i, 1 + j,
                  IMGGetPixel(model, i, j) + IMGGetPixel(model, 2 + i, 1 + j));
  VORN2112BlitAdd(image, image, 2, 1);
  EXPECT_TRUE(IMGEqual(image, model));
  IMGFree(&image);
  IMGFree(&model);
}

TEST(Mask, AndsByIndexOverTheSmallerImage) {
  Image *mask = makeImage(2, 1, 0x00B01010);
  Image *target = makeImage(2, 1, 0x00FFFFFF);
  target->pixels[1] = 0;
  VORN2112Mask(mask, target);
  EXPECT_EQ(target->pixels[0], 0x00B01010u);
  EXPECT_EQ(target->pixels[1], 0u);
  IMGFree(&mask);
  IMGFree(&target);

  mask = makeImage(3, 3, 0x000000FF);
  target = makeImage(2, 2, 0x00FFFFFF);
  VORN2112Mask(mask, target);
  for (int32_t i = 0; i < 4; i++) EXPECT_EQ(target->pixels[i], 0x000000FFu);
  Image *small = makeImage(2, 1, 0x00000F00);
  IMGResize(mask, 3, 3);
  std::fill(mask->pixels, mask->pixels + 9, 0x00FFFFFF);
  VORN2112Mask(small, mask);
  EXPECT_EQ(mask->pixels[1], 0x00000F00u);
  EXPECT_EQ(mask->pixels[2], 0x00FFFFFFu);
  IMGFree(&mask);
  IMGFree(&target);
  IMGFree(&small);
}

// Dissolve and stars exactly as described, through single-pixel access and a
// model generator.
void modelDissolve(Image *image, int32_t attempts, ModelRandom &random) {
  for (int32_t n = 0; n < attempts; n++) {
    int32_t x1 = random.next() % image->width;
    int32_t y1 = random.next() % image->height;
    int32_t x2 = random.next() % image->width;
    int32_t y2 = random.next() % image->height;
    uint32_t p1 = IMGGetPixel(image, x1, y1), p2 = IMGGetPixel(image, x2, y2);
    if (p1 != 0 && p2 != 0) {
      IMGPutPixel(image, x1, y1, p2);
      IMGPutPixel(image, x2, y2, p1);
    }
  }
}

void modelStars(Image *image, int32_t count, ModelRandom &random) {
  for (int32_t n = 0; n < count; n++) {
    int32_t x = random.next() % image->width;
    int32_t y = random.next() % image->height;
    auto g = static_cast<uint32_t>(random.next() % 255);
    IMGPutPixel(image, x, y, (g << 16) | (g << 8) | g);
  }
}

TEST(Dissolve, MatchesThePixelByPixelModel) {
  Image *image = makeImage(37, 23);
  paint(image, 0x00102030);
  Image *model = IMGCopy(image);
  ModelRandom random = ModelRandom::catchUp();
  VORN2112Dissolve(image, 5000);
  modelDissolve(model, 5000, random);
  EXPECT_TRUE(IMGEqual(image, model));
  EXPECT_EQ(VORN2112Random(), random.next());
  IMGFree(&image);
  IMGFree(&model);
}

TEST(Dissolve, KeepsTheSilhouetteAndTheColours) {
  Image *image = makeImage(16, 16);
  paint(image, 0x00405060);
  Image *before = IMGCopy(image);
  VORN2112Dissolve(image, 20000);
  std::vector<uint32_t> a(before->pixels, before->pixels + 256);
  std::vector<uint32_t> b(image->pixels, image->pixels + 256);
  for (int32_t i = 0; i < 256; i++) ASSERT_EQ(a[i] == 0, b[i] == 0) << i;
  EXPECT_NE(a, b);
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  EXPECT_EQ(a, b);
  IMGFree(&image);
  IMGFree(&before);
}

TEST(Dissolve, ZeroOrSinglePixelImagesStayAsTheyAre) {
  Image *image = makeImage(8, 8);
  VORN2112Dissolve(image, 1000);
  for (int32_t i = 0; i < 64; i++) EXPECT_EQ(image->pixels[i], 0u);
  image->pixels[13] = 0x00ABCDEF;
  VORN2112Dissolve(image, 1000);
  for (int32_t i = 0; i < 64; i++) EXPECT_EQ(image->pixels[i], i == 13 ? 0x00ABCDEFu : 0u);
  IMGFree(&image);
}

TEST(Stars, MatchTheModelAndAreNeverWhite) {
  Image *image = makeImage(50, 30, 0x00FF00FF);
  Image *model = IMGCopy(image);
  ModelRandom random = ModelRandom::catchUp();
  VORN2112Stars(image, 20000);
  modelStars(model, 20000, random);
  EXPECT_TRUE(IMGEqual(image, model));
  for (int32_t i = 0; i < 50 * 30; i++) {
    uint32_t p = image->pixels[i];
    ASSERT_NE(p, 0x00FFFFFFu);
    if (p != 0x00FF00FF) {
      ASSERT_EQ(p, (p & 0xFF) * 0x010101u);
    }
  }
  IMGFree(&image);
  IMGFree(&model);
}

TEST(RandomEffects, EmptyImagesDoNothingAndDrawNothing) {
  ModelRandom random = ModelRandom::catchUp();
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {0, 0}}) {
    Image *image = makeImage(w, h);
    EXPECT_EQ(printed([&] {
                VORN2112Dissolve(image, 100);
                VORN2112Stars(image, 100);
              }),
              "");
    IMGFree(&image);
  }
  EXPECT_EQ(VORN2112Random(), random.next());
}

}  // namespace
