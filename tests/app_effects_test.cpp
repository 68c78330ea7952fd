#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <vector>

#include "app/effects.h"
#include "app/random.h"
#include "app/wrap.h"
#include "img/img.h"
#include "tests/support.h"

namespace {

// Distinct values with every seventh pixel 0, whose sums carry across channels.
Image *painted(int32_t w, int32_t h, uint32_t seed) {
  Image *image = makeImage(w, h);
  for (int32_t i = 0; i < w * h; i++)
    image->pixels[i] = i % 7 == 3 ? 0 : static_cast<uint32_t>(i) * 0x9E3779B1u + seed;
  return image;
}

// The generator's recurrence, kept apart from the code under test.
struct ModelRandom {
  uint32_t state;
  int32_t next() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
  }
  // Recovers the generator's state from three draws (a draw hides the state's
  // top bit and low 16 bits), so a test can follow it wherever it stands.
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

// The dissolve and the stars pixel by pixel, with real divisions.
void modelDissolve(Image *image, ModelRandom &random, int32_t attempts) {
  const int32_t w = image->width, h = image->height;
  for (int32_t n = 0; n < attempts; n++) {
    int32_t x1 = random.next() % w, y1 = random.next() % h;
    int32_t x2 = random.next() % w, y2 = random.next() % h;
    uint32_t p1 = IMGGetPixel(image, x1, y1), p2 = IMGGetPixel(image, x2, y2);
    if (p1 != 0 && p2 != 0) {
      IMGPutPixel(image, x1, y1, p2);
      IMGPutPixel(image, x2, y2, p1);
    }
  }
}

void modelStars(Image *image, ModelRandom &random, int32_t count) {
  for (int32_t n = 0; n < count; n++) {
    int32_t x = random.next() % image->width, y = random.next() % image->height;
    IMGPutPixel(image, x, y, static_cast<uint32_t>(random.next() % 255) * 0x010101u);
  }
}

// Runs effect(image) and, from the generator's state at that moment,
// model(copy, random) on a copy of the image: both give the same pixels.
template <typename Effect, typename Model>
void expectLikeModel(Image *image, Effect effect, Model model) {
  Image *copy = IMGCopy(image);
  ModelRandom random = ModelRandom::catchUp();
  effect(image);
  model(copy, random);
  EXPECT_TRUE(IMGEqual(image, copy));
  IMGFree(&copy);
}

TEST(Random, FirstDrawsOfTheUnseededGeneratorComeAgainAfterARestart) {
  for (int round = 0; round < 2; round++) {
    VORN2112RandomRestart();
    for (int32_t expected : {41, 18467, 6334, 26500, 19169})
      EXPECT_EQ(VORN2112Random(), expected) << "round " << round;
  }
}

TEST(Wrap, KeepsEveryValueWithinThePeriod) {
  const int32_t in[] = {-11, 1030, 1024, -1024, 0, 2047, INT32_MIN, INT32_MAX};
  const int32_t out[] = {1013, 6, 0, 0, 0, 1023, 0, 1023};
  for (int i = 0; i < 8; i++) EXPECT_EQ(wrap(in[i], 1024), out[i]) << in[i];
  EXPECT_EQ(wrap(5, 0), 0);
}

TEST(Effects, NullImagesAreReportedAndEmptyOnesLeftAlone) {
  Image *image = makeImage(2, 2, 5);
  testing::internal::CaptureStdout();
  VORN2112Darken(nullptr, 4);
  VORN2112BlitAdd(image, nullptr, 0, 0);
  VORN2112BlitAverage(nullptr, image, 0, 0);
  VORN2112Mask(nullptr, image);
  VORN2112Dissolve(nullptr, 10);
  VORN2112Stars(nullptr, 10);
  std::string expected;
  for (int i = 0; i < 6; i++) expected += "IMG error\n";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
  EXPECT_EQ(std::count(image->pixels, image->pixels + 4, 5u), 4);
  ModelRandom random = ModelRandom::catchUp();
  VORN2112Dissolve(image, -5);  // no attempts: no draws either
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}}) {
    IMGResize(image, w, h);
    VORN2112Dissolve(image, 100);
    VORN2112Stars(image, 100);
  }
  EXPECT_EQ(VORN2112Random(), random.next());  // they took no draws
  IMGFree(&image);
}

TEST(Darken, SubtractsTheLowByteFromEachChannel) {
  Image *image = makeImage(2, 1, 0x00FF8002);
  image->pixels[1] = 0xAB030405;
  VORN2112Darken(image, 4);
  EXPECT_EQ(image->pixels[0], 0x00FB7C00u);
  EXPECT_EQ(image->pixels[1], 0x00000001u);
  image->pixels[0] = 0x00FF8002;
  VORN2112Darken(image, 260);
  EXPECT_EQ(image->pixels[0], 0x00FB7C00u);
  IMGFree(&image);
}

uint32_t average(uint32_t s, uint32_t d) {
  return s == 0 ? d : ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
}
uint32_t add(uint32_t s, uint32_t d) { return s + d; }

using Blit = void (*)(const Image *, Image *, int32_t, int32_t);
const std::pair<Blit, uint32_t (*)(uint32_t, uint32_t)> positionedBlits[] = {
    {VORN2112BlitAverage, average}, {VORN2112BlitAdd, add}};

TEST(PositionedBlits, CombineWithoutOrWithCarries) {
  Image *source = makeImage(3, 1), *destination = makeImage(3, 1);
  auto blit = [&](auto function, std::array<uint32_t, 3> s, std::array<uint32_t, 3> d) {
    std::copy(s.begin(), s.end(), source->pixels);
    std::copy(d.begin(), d.end(), destination->pixels);
    function(source, destination, 0, 0);
    return std::vector<uint32_t>(destination->pixels, destination->pixels + 3);
  };
  EXPECT_EQ(blit(VORN2112BlitAverage, {0xFF0000, 1, 0}, {0xFF0000, 1, 0xABCDEF}),
            (std::vector<uint32_t>{0xFE0000, 0, 0xABCDEF}));
  EXPECT_EQ(blit(VORN2112BlitAdd, {0x80, 0x010000, 0}, {0x80, 0xFF0000, 0xABCDEF}),
            (std::vector<uint32_t>{0x100, 0x1000000, 0xABCDEF}));
  IMGFree(&source);
  IMGFree(&destination);
}

TEST(PositionedBlits, AreCutAtEveryEdgeAndSilentWhenOutside) {
  Image *source = painted(5, 4, 0x01020304);
  Image *destination = painted(7, 6, 0x00300201);
  Image *before = IMGCopy(destination);
  testing::internal::CaptureStdout();
  for (auto [blit, combine] : positionedBlits)
    for (int32_t y = -5; y <= 7; y++)
      for (int32_t x = -6; x <= 8; x++) {
        std::copy(before->pixels, before->pixels + 42, destination->pixels);
        blit(source, destination, x, y);
        for (int32_t i = 0; i < 42; i++) {
          int32_t sx = i % 7 - x, sy = i / 7 - y;
          bool covered = sx >= 0 && sx < 5 && sy >= 0 && sy < 4;
          uint32_t d = before->pixels[i];
          ASSERT_EQ(destination->pixels[i], covered ? combine(IMGGetPixel(source, sx, sy), d) : d)
              << "pixel " << i << " placed at " << x << "," << y;
        }
      }
  VORN2112BlitAdd(source, destination, INT32_MAX, INT32_MIN);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  IMGFree(&source);
  IMGFree(&destination);
  IMGFree(&before);
}

// Rows run eight pixels at a time and the rest one by one: every width 0 to
// 67 at every alignment of the destination, zeros falling on every lane.
TEST(PositionedBlits, RowsOfEveryLengthAndAlignmentMatchThePixelModel) {
  Image *destination = painted(80, 2, 0x00300201);
  Image *before = IMGCopy(destination);
  for (auto [blit, combine] : positionedBlits)
    for (int32_t n = 0; n <= 67; n++) {
      Image *source = painted(n, 1, static_cast<uint32_t>(n) * 0x00010101u);
      for (int32_t x = 0; x < 8; x++) {
        std::copy(before->pixels, before->pixels + 160, destination->pixels);
        blit(source, destination, x, 1);
        for (int32_t i = 0; i < 160; i++) {
          const int32_t sx = i % 80 - x;
          const uint32_t d = before->pixels[i];
          ASSERT_EQ(destination->pixels[i],
                    i >= 80 && sx >= 0 && sx < n ? combine(source->pixels[sx], d) : d)
              << n << " pixels at " << x << ", pixel " << i;
        }
      }
      IMGFree(&source);
    }
  IMGFree(&destination);
  IMGFree(&before);
}

// A blit of an image onto itself reads what its order, rows from the bottom
// and each from the right, has already written: the model does the same.
TEST(PositionedBlits, OntoItselfRunFromTheBottomRightCorner) {
  for (auto [blit, combine] : positionedBlits)
    for (int32_t y = -1; y <= 1; y++)
      for (int32_t x = -9; x <= 9; x++) {
        Image *image = painted(40, 3, 0x00400302), *model = IMGCopy(image);
        for (int32_t j = 2; j >= 0; j--)
          for (int32_t i = 39; i >= 0; i--)
            if (x + i >= 0 && x + i < 40 && y + j >= 0 && y + j < 3)
              IMGPutPixel(model, x + i, y + j,
                          combine(IMGGetPixel(model, i, j), IMGGetPixel(model, x + i, y + j)));
        blit(image, image, x, y);
        EXPECT_TRUE(IMGEqual(image, model)) << x << "," << y;
        IMGFree(&image);
        IMGFree(&model);
      }
}

TEST(Mask, AndsByIndexOverTheSmallerImage) {
  Image *mask = makeImage(2, 1, 0x00B01010);
  Image *target = makeImage(3, 3, 0x00FFFFFF);
  target->pixels[1] = 0;
  VORN2112Mask(mask, target);
  EXPECT_EQ(std::vector<uint32_t>(target->pixels, target->pixels + 3),
            (std::vector<uint32_t>{0x00B01010, 0, 0x00FFFFFF}));
  VORN2112Mask(target, mask);  // the larger image as mask: two pixels only
  EXPECT_EQ(mask->pixels[1], 0u);
  IMGFree(&mask);
  IMGFree(&target);
}

// Every length 0 to 67, the mask and the target apart or sharing memory; the
// order, from the last index down, shows only when they share it.
TEST(Mask, AndsEveryLengthAndSharedPixelsFromTheLastIndexDown) {
  std::vector<uint32_t> pixels(240), model(240);
  for (int32_t n = 0; n <= 67; n++)
    for (int32_t shift : {-9, -8, -1, 0, 1, 3, 8, 9, 70}) {
      for (uint32_t i = 0; i < 240; i++) pixels[i] = model[i] = (i * 0x9E3779B1u) | (i % 5 == 0);
      Image mask{n, 1, pixels.data() + 80}, target{n, 1, pixels.data() + 80 + shift};
      for (int32_t i = n - 1; i >= 0; i--) model[80 + shift + i] &= model[80 + i];
      VORN2112Mask(&mask, &target);
      ASSERT_EQ(pixels, model) << n << " pixels, target at " << shift;
    }
}

TEST(Dissolve, MatchesThePixelByPixelModelAndKeepsTheSilhouette) {
  Image *image = painted(37, 23, 0x00102030);
  expectLikeModel(
      image, [](Image *i) { VORN2112Dissolve(i, 5000); },
      [](Image *m, ModelRandom &random) { modelDissolve(m, random, 5000); });
  Image *before = painted(37, 23, 0x00102030);
  std::vector<uint32_t> a(before->pixels, before->pixels + 851),
      b(image->pixels, image->pixels + 851);
  for (int32_t i = 0; i < 851; i++) ASSERT_EQ(a[i] == 0, b[i] == 0);
  EXPECT_NE(a, b);
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  EXPECT_EQ(a, b);
  IMGFree(&image);
  IMGFree(&before);
}

TEST(Stars, MatchTheModelAndAreNeverWhite) {
  Image *image = makeImage(50, 30, 0x00FF00FF);
  expectLikeModel(
      image, [](Image *i) { VORN2112Stars(i, 20000); },
      [](Image *m, ModelRandom &random) { modelStars(m, random, 20000); });
  EXPECT_EQ(std::count(image->pixels, image->pixels + 1500, 0x00FFFFFFu), 0);
  IMGFree(&image);
}

// The dissolve and the stars reduce draws by the width and the height without
// dividing; every kind of size must give the remainders of a real division:
// 1, powers of two and their neighbours, the largest draw and beyond it.
TEST(RandomEffects, MatchTheModelForEveryKindOfSize) {
  const int32_t sides[] = {1, 2, 3, 7, 255, 256, 257, 1000, 32767, 32768, 40000};
  for (int32_t w : sides)
    for (int32_t h : {1, 3, 256}) {
      if (static_cast<int64_t>(w) * h > 3'000'000) continue;
      SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
      Image *image = painted(w, h, 0x00405060);
      expectLikeModel(
          image,
          [](Image *i) {
            VORN2112Dissolve(i, 300);
            VORN2112Stars(i, 100);
          },
          [](Image *m, ModelRandom &random) {
            modelDissolve(m, random, 300);
            modelStars(m, random, 100);
          });
      IMGFree(&image);
    }
}

}  // namespace
