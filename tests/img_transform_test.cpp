// The image core's blitting and transforms: IMGBlit, IMGRunTable, IMGScale,
// IMGRotate, IMGLine, and the shared SineTable. The blit and the scaling are
// checked against straightforward per-pixel models over many random cases.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "img/clip.h"
#include "img/img.h"
#include "img/sine.h"
#include "tests/support.h"

namespace {

// A small fixed-seed generator, so every run checks the same cases.
class Random {
 public:
  uint32_t next() {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<uint32_t>(state_ >> 33);
  }
  int32_t in(int32_t low, int32_t high) {
    return low + static_cast<int32_t>(next() % static_cast<uint32_t>(high - low + 1));
  }
  // Pixels with plenty of zeros (transparent) and some top bytes set.
  uint32_t pixel() {
    uint32_t roll = next() % 4;
    return roll == 0 ? 0 : roll == 1 ? next() << 8 | 1 : next() & 0xFFFFFF;
  }

 private:
  uint64_t state_ = 2112;
};

ImagePtr randomImage(Random &random, int32_t w, int32_t h) {
  ImagePtr image = imageOf(w, h);
  for (int32_t i = 0; i < w * h; ++i) image->pixels[i] = random.pixel();
  return image;
}

std::vector<int32_t> listOf(const int32_t *list) { return {list, list + 1 + list[0]}; }

std::vector<int32_t> runTable(int32_t a, int32_t b) {
  HeapPtr<int32_t> table(IMGRunTable(a, b));
  int32_t small = std::min(std::abs(a), std::abs(b));
  return {table.get(), table.get() + small + 1};
}

// Every pixel of the w x h rectangle that lies inside both images and is not
// 0 is stored, one by one.
void modelBlit(const Image *source, Image *destination, int32_t sx, int32_t sy, int32_t dx,
               int32_t dy, int32_t w, int32_t h) {
  for (int32_t j = 0; j < h; ++j) {
    for (int32_t i = 0; i < w; ++i) {
      uint32_t pixel = IMGGetPixel(source, sx + i, sy + j);
      bool inside = sx + i >= 0 && sx + i < source->width && sy + j >= 0 && sy + j < source->height;
      if (inside && pixel != 0) IMGPutPixel(destination, dx + i, dy + j, pixel);
    }
  }
}

TEST(ImgBlit, CopiesTheOverlapOfAShiftedSource) {
  ImagePtr source = imageOf(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  ImagePtr destination = imageOf(4, 4);
  IMGBlit(source.get(), destination.get(), 0, 0, -2, -2, 4, 4);
  EXPECT_EQ(pixelsOf(destination.get()),
            (std::vector<uint32_t>{11, 12, 0, 0, 15, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  destination = imageOf(4, 1);
  IMGBlit(source.get(), destination.get(), 2, 0, 0, 0, 4, 1);
  EXPECT_EQ(pixelsOf(destination.get()), (std::vector<uint32_t>{3, 4, 0, 0}));
}

TEST(ImgBlit, DrawsNothingSilentlyOutsideTheDestination) {
  ImagePtr source = imageOf(4, 4, std::vector<uint32_t>(16, 7));
  ImagePtr destination = imageOf(4, 4);
  EXPECT_EQ(captured([&] {
              IMGBlit(source.get(), destination.get(), 0, 0, 4, 0, 4, 4);
              IMGBlit(source.get(), destination.get(), 0, 0, -5, 0, 4, 4);
              IMGBlit(source.get(), destination.get(), 0, 0, 0, 0, 0, 4);
              IMGBlit(source.get(), destination.get(), 0, 0, 0, 0, -3, -3);
            }),
            "");
  EXPECT_EQ(pixelsOf(destination.get()), std::vector<uint32_t>(16, 0));
}

TEST(ImgBlit, SkipsZeroPixelsButCopiesATopByteAlone) {
  ImagePtr source = imageOf(3, 1, {0, 0x01000000, 5});
  ImagePtr destination = imageOf(3, 1, {9, 9, 9});
  IMGBlit(source.get(), destination.get(), 0, 0, 0, 0, 3, 1);
  EXPECT_EQ(pixelsOf(destination.get()), (std::vector<uint32_t>{9, 0x01000000, 5}));
}

TEST(ImgBlit, NullImageOrAbsentPixelsIsAnError) {
  ImagePtr image = imageOf(2, 2);
  Image broken{2, 2, nullptr};
  for (auto [source, destination] : {std::pair<Image *, Image *>{nullptr, image.get()},
                                     {image.get(), nullptr},
                                     {&broken, image.get()},
                                     {image.get(), &broken}}) {
    EXPECT_EQ(captured([&] { IMGBlit(source, destination, 0, 0, 0, 0, 2, 2); }), "IMG error\n");
  }
}

TEST(ImgBlit, MatchesThePerPixelModelOverRandomRectangles) {
  Random random;
  for (int round = 0; round < 3000; ++round) {
    ImagePtr source = randomImage(random, random.in(0, 9), random.in(0, 9));
    ImagePtr destination = randomImage(random, random.in(0, 9), random.in(0, 9));
    ImagePtr expected(IMGCopy(destination.get()));
    int32_t sx = random.in(-12, 12), sy = random.in(-12, 12);
    int32_t dx = random.in(-12, 12), dy = random.in(-12, 12);
    int32_t w = random.in(-3, 15), h = random.in(-3, 15);
    modelBlit(source.get(), expected.get(), sx, sy, dx, dy, w, h);
    IMGBlit(source.get(), destination.get(), sx, sy, dx, dy, w, h);
    ASSERT_TRUE(IMGEqual(destination.get(), expected.get()))
        << "round " << round << ": " << sx << "," << sy << " -> " << dx << "," << dy << " " << w
        << "x" << h;
  }
}

// Rows run eight pixels at a time and the rest one by one: every length 0 to
// 67 from every source and destination alignment, zeros falling on every lane.
TEST(ImgBlit, RowsOfEveryLengthAndAlignmentMatchTheModel) {
  Random random;
  for (int32_t n = 0; n <= 67; ++n)
    for (int32_t sx = 0; sx < 8; ++sx)
      for (int32_t dx : {0, 3, 5}) {
        ImagePtr source = randomImage(random, 76, 2);
        ImagePtr destination = randomImage(random, 76, 2);
        ImagePtr expected(IMGCopy(destination.get()));
        modelBlit(source.get(), expected.get(), sx, 0, dx, 1, n, 1);
        IMGBlit(source.get(), destination.get(), sx, 0, dx, 1, n, 1);
        ASSERT_TRUE(IMGEqual(destination.get(), expected.get()))
            << n << " from " << sx << " to " << dx;
      }
}

// Blitting an image onto itself reads, pixel by pixel from the top left, what
// the blit has already written: the model does the same on a copy.
TEST(ImgBlit, OntoItselfTakesRowsInTheForwardOrder) {
  Random random;
  for (int32_t shift = -9; shift <= 9; ++shift)
    for (int32_t down : {-1, 0, 1}) {
      ImagePtr image = randomImage(random, 70, 4);
      ImagePtr expected(IMGCopy(image.get()));
      modelBlit(expected.get(), expected.get(), 1, 1, 1 + shift, 1 + down, 67, 2);
      IMGBlit(image.get(), image.get(), 1, 1, 1 + shift, 1 + down, 67, 2);
      ASSERT_TRUE(IMGEqual(image.get(), expected.get())) << shift << "," << down;
    }
}

TEST(ImgBlit, ExtremeCoordinatesClipWithoutOverflow) {
  ImagePtr source = imageOf(2, 2, {1, 2, 3, 4});
  ImagePtr destination = imageOf(2, 2);
  IMGBlit(source.get(), destination.get(), 0, 0, 0, 0, INT32_MAX, INT32_MAX);
  EXPECT_EQ(pixelsOf(destination.get()), (std::vector<uint32_t>{1, 2, 3, 4}));
  destination = imageOf(2, 2);
  IMGBlit(source.get(), destination.get(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX,
          INT32_MAX);
  IMGBlit(source.get(), destination.get(), INT32_MAX, 0, INT32_MIN, 0, INT32_MAX, 2);
  IMGBlit(source.get(), destination.get(), 1, 1, INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, 1);
  EXPECT_EQ(pixelsOf(destination.get()), std::vector<uint32_t>(4, 0));
}

// IMGPlace along one axis: a source run of n pixels from s, of a source 5
// wide, placed at d of a destination 7 wide, keeps exactly the pixels inside
// both, and leaves *out alone when there are none. The other axis spans both
// images whole, so each case is one row of pixels.
TEST(ImgClip, PlaceKeepsExactlyThePixelsInsideBothImages) {
  ImagePtr source = imageOf(5, 1), destination = imageOf(7, 1);
  for (int32_t s = -7; s <= 7; ++s)
    for (int32_t d = -9; d <= 9; ++d)
      for (int32_t n = -2; n <= 16; ++n) {
        int32_t first = -1, count = 0;
        for (int32_t i = 0; i < n; ++i)
          if (s + i >= 0 && s + i < 5 && d + i >= 0 && d + i < 7) {
            if (count++ == 0) first = i;
          }
        Placement at{-1, -1, -1, -1, -1, -1};
        const bool some = IMGPlace(source.get(), {s, 0, n, 1}, destination.get(), d, 0, &at);
        ASSERT_EQ(some, count > 0) << s << " " << d << " " << n;
        const Placement expected = count > 0 ? Placement{s + first, 0, d + first, 0, count, 1}
                                             : Placement{-1, -1, -1, -1, -1, -1};
        ASSERT_EQ(
            std::tie(at.sx, at.sy, at.dx, at.dy, at.w, at.h),
            std::tie(expected.sx, expected.sy, expected.dx, expected.dy, expected.w, expected.h))
            << s << " " << d << " " << n;
      }
  // Far outside in 32 bits: sums taken in 64 bits, nothing wraps into range.
  Placement at{};
  EXPECT_FALSE(
      IMGPlace(source.get(), {INT32_MAX, 0, INT32_MAX, 1}, destination.get(), INT32_MIN, 0, &at));
  EXPECT_TRUE(IMGPlace(source.get(), {INT32_MIN + 3, 0, INT32_MAX, 1}, destination.get(),
                       INT32_MIN + 3, 0, &at));
  EXPECT_EQ(std::tie(at.sx, at.dx, at.w), std::make_tuple(0, 0, 2));
}

TEST(ImgRunTable, SpreadsTheLargerCountOverTheSmaller) {
  EXPECT_EQ(runTable(4, 2), (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(runTable(5, 2), (std::vector<int32_t>{3, 2, 1}));
  EXPECT_EQ(runTable(7, 3), (std::vector<int32_t>{3, 2, 2, 1}));
  EXPECT_EQ(runTable(8, 5), (std::vector<int32_t>{2, 2, 1, 2, 1, 1}));
  EXPECT_EQ(runTable(3, 3), (std::vector<int32_t>{1, 1, 1, 1}));
  EXPECT_EQ(runTable(5, 0), (std::vector<int32_t>{6}));
  EXPECT_EQ(runTable(0, 0), (std::vector<int32_t>{1}));
  EXPECT_EQ(runTable(-4, 2), runTable(2, 4));
  EXPECT_EQ(runTable(-8, -5), runTable(8, 5));
  EXPECT_EQ(runTable(INT32_MAX - 1, 0), (std::vector<int32_t>{INT32_MAX}));
  // Counts without a 32-bit magnitude or remainder are errors.
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGRunTable(INT32_MIN, 3), nullptr); }), "IMG error\n");
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGRunTable(0, -INT32_MAX), nullptr); }), "IMG error\n");
}

TEST(ImgRunTable, EntriesAreTheCeilingDifferences) {
  Random random;
  for (int round = 0; round < 500; ++round) {
    int64_t small = random.in(1, 60), big = small + random.in(0, 300);
    std::vector<int32_t> table = runTable(static_cast<int32_t>(big), static_cast<int32_t>(small));
    for (int64_t j = 0; j < small; ++j) {
      int64_t entry = (((j + 1) * big + small - 1) / small) - ((j * big + small - 1) / small);
      ASSERT_EQ(table[static_cast<size_t>(j)], entry) << big << " over " << small << " at " << j;
    }
    EXPECT_EQ(table[static_cast<size_t>(small)], 1);
  }
}

// The closed-form nearest-neighbour mapping: a growing axis takes the first
// source pixel of each span, a shrinking width the last; a shrinking height
// takes the last row when the width shrinks too, else the first row.
uint32_t modelScaled(const Image *source, int64_t w, int64_t h, int64_t x, int64_t y) {
  int64_t sw = source->width, sh = source->height;
  if (sw == 0 || sh == 0) return 0;
  auto ceilDiv = [](int64_t a, int64_t b) { return (a + b - 1) / b; };
  int64_t mx = w >= sw ? x * sw / w : ceilDiv((x + 1) * sw, w) - 1;
  int64_t my = h >= sh ? y * sh / h : w < sw ? ceilDiv((y + 1) * sh, h) - 1 : ceilDiv(y * sh, h);
  return source->pixels[my * sw + mx];
}

void expectScaledLikeModel(const Image *source, int32_t w, int32_t h) {
  ImagePtr scaled(IMGScale(source, w, h));
  ASSERT_NE(scaled, nullptr);
  ASSERT_EQ(scaled->width, w);
  ASSERT_EQ(scaled->height, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      ASSERT_EQ(scaled->pixels[y * w + x], modelScaled(source, w, h, x, y))
          << source->width << "x" << source->height << " to " << w << "x" << h << " at " << x << ","
          << y;
}

TEST(ImgScale, RepeatsOrSkipsPixelsAndRows) {
  ImagePtr pair = imageOf(2, 1, {0xA, 0xB});
  EXPECT_EQ(pixelsOf(ImagePtr(IMGScale(pair.get(), 4, 1)).get()),
            (std::vector<uint32_t>{0xA, 0xA, 0xB, 0xB}));
  ImagePtr four = imageOf(4, 1, {0, 1, 2, 3});
  EXPECT_EQ(pixelsOf(ImagePtr(IMGScale(four.get(), 2, 1)).get()), (std::vector<uint32_t>{1, 3}));
  EXPECT_TRUE(IMGEqual(ImagePtr(IMGScale(four.get(), 4, 1)).get(), four.get()));
  // A shrinking height takes the last row of a span only when the width shrinks too.
  ImagePtr square = imageOf(4, 4, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33});
  EXPECT_EQ(pixelsOf(ImagePtr(IMGScale(square.get(), 2, 2)).get()),
            (std::vector<uint32_t>{11, 13, 31, 33}));
  ImagePtr column = imageOf(1, 4, {0, 10, 20, 30});
  EXPECT_EQ(pixelsOf(ImagePtr(IMGScale(column.get(), 2, 2)).get()),
            (std::vector<uint32_t>{0, 0, 20, 20}));
}

TEST(ImgScale, MatchesTheClosedFormOverRandomSizes) {
  Random random;
  for (int round = 0; round < 1500; ++round) {
    ImagePtr source = randomImage(random, random.in(0, 12), random.in(0, 12));
    expectScaledLikeModel(source.get(), random.in(0, 25), random.in(0, 25));
  }
  // Sizes of 1 and the edges between the four traversals.
  for (int32_t sw : {1, 2, 5})
    for (int32_t sh : {1, 3})
      for (int32_t w : {0, 1, sw - 1, sw, sw + 1})
        for (int32_t h : {0, 1, sh - 1, sh, sh + 1})
          expectScaledLikeModel(randomImage(random, sw, sh).get(), std::max(w, 0), std::max(h, 0));
}

TEST(ImgScale, SourceWithoutPixelsGivesZerosOfTheRequestedSize) {
  for (auto [sw, sh] : {std::pair{0, 3}, {3, 0}, {0, 0}}) {
    ImagePtr empty = imageOf(sw, sh);
    for (auto [w, h] : {std::pair{5, 7}, {1, 1}, {0, 4}, {6, 2}}) {
      ImagePtr scaled(IMGScale(empty.get(), w, h));
      ASSERT_NE(scaled, nullptr);
      EXPECT_EQ(scaled->width, w);
      EXPECT_EQ(scaled->height, h);
      EXPECT_EQ(pixelsOf(scaled.get()), std::vector<uint32_t>(static_cast<size_t>(w * h), 0));
    }
  }
}

TEST(ImgScale, NegativeSizeOrNullSourceIsAnError) {
  ImagePtr source = imageOf(2, 2);
  EXPECT_EQ(captured([&] { EXPECT_EQ(IMGScale(source.get(), -1, 2), nullptr); }), "IMG error\n");
  EXPECT_EQ(captured([&] { EXPECT_EQ(IMGScale(source.get(), 2, -1), nullptr); }), "IMG error\n");
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGScale(nullptr, 2, 2), nullptr); }), "IMG error\n");
  ImagePtr none(IMGScale(source.get(), 0, 0));
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->width, 0);
}

// A 5 x 3 source labelled 1 .. 15 row by row; its canvas is 7 x 4.
ImagePtr labelled() {
  ImagePtr image = imageOf(5, 3);
  for (uint32_t i = 0; i < 15; ++i) image->pixels[i] = i + 1;
  return image;
}

TEST(ImgRotate, AngleFiveTwelveIsUprightAndZeroIsHalfATurn) {
  // With extremes of 32766 rather than 32768 the mapping drifts by one pixel
  // right of and below the centre, where the arithmetic shift rounds down.
  ImagePtr upright(IMGRotate(labelled().get(), 512));
  ASSERT_NE(upright, nullptr);
  EXPECT_EQ(upright->width, 7);
  EXPECT_EQ(upright->height, 4);
  EXPECT_EQ(pixelsOf(upright.get()), (std::vector<uint32_t>{0, 0, 0, 0, 0, 0, 0,   //
                                                            0, 1, 2, 3, 3, 4, 5,   //
                                                            0, 6, 7, 8, 8, 9, 10,  //
                                                            0, 6, 7, 8, 8, 9, 10}));
  ImagePtr turned(IMGRotate(labelled().get(), 0));
  EXPECT_EQ(pixelsOf(turned.get()), (std::vector<uint32_t>{15, 14, 13, 13, 12, 11, 0,  //
                                                           10, 9,  8,  8,  7,  6,  0,  //
                                                           10, 9,  8,  8,  7,  6,  0,  //
                                                           5,  4,  3,  3,  2,  1,  0}));
}

TEST(ImgRotate, CanvasGrowsByAboutTheSquareRootOfTwo) {
  for (auto [w, h, cw, ch] : {std::tuple{640, 480, 904, 678}, {16, 16, 22, 22}, {1, 1, 1, 1}}) {
    ImagePtr rotated(IMGRotate(imageOf(w, h).get(), 100));
    EXPECT_EQ(rotated->width, cw);
    EXPECT_EQ(rotated->height, ch);
  }
}

TEST(ImgRotate, AnyAngleTurnsByItsPositiveModulo) {
  ImagePtr source = labelled();
  for (auto [angle, same] :
       {std::pair{-512, 512}, {-1, 1023}, {-1024, 0}, {1024 + 5, 5}, {INT32_MIN, 0}, {-300, 724}}) {
    ImagePtr a(IMGRotate(source.get(), angle));
    ImagePtr b(IMGRotate(source.get(), same));
    EXPECT_TRUE(IMGEqual(a.get(), b.get())) << angle;
  }
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGRotate(nullptr, 0), nullptr); }), "IMG error\n");
}

TEST(ImgLine, ListsThePointsWithTheMinorStepAtZeroError) {
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(0, 0, 0, 0)).get()), (std::vector<int32_t>{2, 0, 0}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(3, 0, 0, 0)).get()),
            (std::vector<int32_t>{8, 3, 0, 2, 0, 1, 0, 0, 0}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(0, 0, 4, 2)).get()),
            (std::vector<int32_t>{10, 0, 0, 1, 1, 2, 1, 3, 2, 4, 2}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(0, 0, 4, 1)).get()),
            (std::vector<int32_t>{10, 0, 0, 1, 0, 2, 1, 3, 1, 4, 1}));
}

TEST(ImgLine, OneUnitAxisSegmentsEndAtTheirEndPoint) {
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(0, 0, 1, 0)).get()),
            (std::vector<int32_t>{4, 0, 0, 1, 0}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(0, 0, 0, 1)).get()),
            (std::vector<int32_t>{4, 0, 0, 0, 1}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(5, 5, 4, 5)).get()),
            (std::vector<int32_t>{4, 5, 5, 4, 5}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(5, 5, 5, 4)).get()),
            (std::vector<int32_t>{4, 5, 5, 5, 4}));
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(0, 0, -1, -1)).get()),
            (std::vector<int32_t>{4, 0, 0, -1, -1}));
}

TEST(ImgLine, EverySegmentRunsInUnitStepsFromStartToEnd) {
  Random random;
  for (int round = 0; round < 2000; ++round) {
    int32_t x0 = random.in(-20, 20), y0 = random.in(-20, 20);
    int32_t x1 = random.in(-20, 20), y1 = random.in(-20, 20);
    std::vector<int32_t> list = listOf(HeapPtr<int32_t>(IMGLine(x0, y0, x1, y1)).get());
    int32_t points = list[0] / 2;
    ASSERT_EQ(points, std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1);
    EXPECT_EQ(list[1], x0);
    EXPECT_EQ(list[2], y0);
    EXPECT_EQ(list[2 * points - 1], x1) << x0 << "," << y0 << " " << x1 << "," << y1;
    EXPECT_EQ(list[2 * points], y1) << x0 << "," << y0 << " " << x1 << "," << y1;
    for (int32_t i = 1; i < points; ++i) {
      ASSERT_LE(std::abs(list[2 * i + 1] - list[2 * i - 1]), 1);
      ASSERT_LE(std::abs(list[2 * i + 2] - list[2 * i]), 1);
    }
  }
}

TEST(ImgLine, SegmentsTooLongToCountAreErrors) {
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGLine(INT32_MIN, 0, INT32_MAX, 0), nullptr); }),
            "IMG error\n");
  EXPECT_EQ(listOf(HeapPtr<int32_t>(IMGLine(INT32_MAX, 0, INT32_MAX - 1, 1)).get()),
            (std::vector<int32_t>{4, INT32_MAX, 0, INT32_MAX - 1, 1}));
}

TEST(ImgSineTable, HoldsTheCheckValuesWithinPlusMinus32766AndIsSymmetric) {
  EXPECT_EQ(sinePeriod, 1024);
  EXPECT_EQ((std::vector<int16_t>{SineTable, SineTable + 4}),
            (std::vector<int16_t>{0, 201, 402, 603}));
  EXPECT_EQ(SineTable[64], 12539);
  EXPECT_EQ(SineTable[128], 23170);
  EXPECT_EQ(SineTable[233], 32441);
  EXPECT_EQ(SineTable[1023], -201);
  EXPECT_EQ(SineTable[256], 32766);
  EXPECT_EQ(SineTable[768], -32766);
  EXPECT_EQ(*std::max_element(SineTable, SineTable + sinePeriod), 32766);
  EXPECT_EQ(*std::min_element(SineTable, SineTable + sinePeriod), -32766);
  for (int i : {129, 383}) EXPECT_EQ(SineTable[i], 23312);
  for (int i : {183, 329}) EXPECT_EQ(SineTable[i], 29535);
  for (int i : {641, 895}) EXPECT_EQ(SineTable[i], -23312);
  for (int i : {695, 841}) EXPECT_EQ(SineTable[i], -29535);
  // The exceptions keep the symmetries of a sine.
  for (int i = 0; i < 512; ++i) {
    EXPECT_EQ(SineTable[i + 512], -SineTable[i]) << i;
    EXPECT_EQ(SineTable[(512 - i) % 1024], SineTable[i]) << i;
  }
}

}  // namespace
