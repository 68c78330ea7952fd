#include "raster/raster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "img/img.h"

namespace {

Image *makeImage(int32_t w, int32_t h, uint32_t fill = 0) {
  Image *image = IMGNew();
  IMGResize(image, w, h);
  for (int32_t i = 0; i < w * h; i++) image->pixels[i] = fill;
  return image;
}

// A raster of `length` entries whose entry i is 0x000100 * i + 1, distinct and
// non-zero.
Raster *makeRaster(int32_t length) {
  Raster *raster = RASTERNew();
  RASTERResize(raster, length);
  for (int32_t i = 0; i < length; i++) raster->colours[i] = 0x000100u * i + 1;
  return raster;
}

struct RasterTest : ::testing::Test {
  Raster *raster = makeRaster(120);
  Image *image = makeImage(5, 8, 0x00ABCDEF);
  void TearDown() override {
    RASTERFree(&raster);
    IMGFree(&image);
  }
  void expectRowsFrom(const std::vector<int32_t> &entries) {
    for (int32_t r = 0; r < image->height; r++)
      for (int32_t x = 0; x < image->width; x++)
        ASSERT_EQ(IMGGetPixel(image, x, r), raster->colours[entries[r]]) << "row " << r;
  }
};

TEST(Raster, NewIsAStartedBlackTable) {
  Raster *raster = RASTERNew();
  ASSERT_NE(raster, nullptr);
  EXPECT_EQ(raster->length, 256);
  EXPECT_EQ(raster->position, 0);
  for (int32_t i = 0; i < 256; i++) EXPECT_EQ(raster->colours[i], 0u);
  RASTERFree(&raster);
  EXPECT_EQ(raster, nullptr);
  testing::internal::CaptureStdout();
  RASTERFree(&raster);
  RASTERFree(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "RASTER error\nRASTER error\n");
}

TEST_F(RasterTest, DrawWrapsAroundTheTableFromThePosition) {
  raster->position = 118;
  RASTERDraw(raster, image);
  expectRowsFrom({118, 119, 0, 1, 2, 3, 4, 5});
  EXPECT_EQ(raster->position, 118);
}

TEST_F(RasterTest, TallImageRepeatsTheTable) {
  Raster *small = makeRaster(3);
  small->position = 1;
  RASTERDraw(small, image);
  for (int32_t r = 0; r < 8; r++) EXPECT_EQ(IMGGetPixel(image, 4, r), small->colours[(1 + r) % 3]);
  RASTERFree(&small);
}

TEST_F(RasterTest, PositionOutOfRangeIsTakenModuloTheLength) {
  raster->position = -2;
  RASTERDraw(raster, image);
  expectRowsFrom({118, 119, 0, 1, 2, 3, 4, 5});
  raster->position = 120 + 118;
  RASTERDraw(raster, image);
  expectRowsFrom({118, 119, 0, 1, 2, 3, 4, 5});
}

TEST_F(RasterTest, EmptyTableOrEmptyImageDrawsNothing) {
  Raster *empty = makeRaster(0);
  testing::internal::CaptureStdout();
  RASTERDraw(empty, image);
  RASTERDrawBlended(empty, image, 128);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(IMGGetPixel(image, 0, 0), 0x00ABCDEFu);
  Image *thin = makeImage(0, 4);
  RASTERDraw(raster, thin);
  RASTERFree(&empty);
  IMGFree(&thin);
}

TEST_F(RasterTest, AdvanceCyclesThroughTheTable) {
  for (int i = 0; i < 119; i++) RASTERAdvance(raster);
  EXPECT_EQ(raster->position, 119);
  RASTERAdvance(raster);
  EXPECT_EQ(raster->position, 0);
  raster->position = INT32_MAX;
  RASTERAdvance(raster);
  EXPECT_EQ(raster->position, 0);
}

TEST_F(RasterTest, BlendedWeightsMixPerChannel) {
  Image *black = makeImage(2, 1, 0);
  RASTERBlendHLine(black, 0x00FFFFFF, 0, 0, 1, 128);
  EXPECT_EQ(black->pixels[0], 0x007F7F7Fu);
  // Bright red channels: the product would not fit a signed word in place.
  Image *red = makeImage(2, 1, 0x00FF0000);
  RASTERBlendHLine(red, 0x00FF00FF, 0, 0, 1, 128);
  EXPECT_EQ(red->pixels[0], 0x00FF007Fu);
  RASTERBlendHLine(red, 0x00123456, 0, 0, 0, 256);
  EXPECT_EQ(red->pixels[0], 0x00123456u);
  RASTERBlendHLine(red, 0x00FFFFFF, 0, 0, 0, 0);
  EXPECT_EQ(red->pixels[0], 0x00123456u);
  IMGFree(&black);
  IMGFree(&red);
}

TEST_F(RasterTest, WeightsOutsideTheRangeAreClamped) {
  Image *a = makeImage(1, 1, 0x00808080);
  RASTERBlendHLine(a, 0x00204060, 0, 0, 0, 1000);
  EXPECT_EQ(a->pixels[0], 0x00204060u);
  RASTERBlendHLine(a, 0x00FFFFFF, 0, 0, 0, -7);
  EXPECT_EQ(a->pixels[0], 0x00204060u);
  IMGFree(&a);
}

TEST_F(RasterTest, BlendedDrawAtFullAndZeroWeight) {
  Image *plain = makeImage(5, 8, 0x00ABCDEF);
  RASTERDraw(raster, plain);
  RASTERDrawBlended(raster, image, 256);
  EXPECT_TRUE(IMGEqual(plain, image));
  Image *before = IMGCopy(image);
  RASTERDrawBlended(raster, image, 0);
  EXPECT_TRUE(IMGEqual(before, image));
  IMGFree(&plain);
  IMGFree(&before);
}

TEST(RasterLine, IsClippedToTheImage) {
  Image *image = makeImage(640, 2);
  RASTERHLine(image, 7, 1, -5, 1000);
  for (int32_t x = 0; x < 640; x++) ASSERT_EQ(image->pixels[640 + x], 7u);
  for (int32_t x = 0; x < 640; x++) ASSERT_EQ(image->pixels[x], 0u);
  testing::internal::CaptureStdout();
  RASTERHLine(image, 9, 2, 0, 639);
  RASTERHLine(image, 9, -1, 0, 639);
  RASTERHLine(image, 9, 0, 5, 4);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  for (int32_t x = 0; x < 640; x++) ASSERT_EQ(image->pixels[x], 0u);
  testing::internal::CaptureStdout();
  RASTERHLine(nullptr, 9, 0, 0, 1);
  RASTERBlendHLine(nullptr, 9, 0, 0, 1, 3);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMG error\nIMG error\n");
  IMGFree(&image);
}

TEST_F(RasterTest, ResizeStartsAnewAndRejectsNegativeLengths) {
  raster->position = 5;
  RASTERResize(raster, 120);
  EXPECT_EQ(raster->position, 0);
  for (int32_t i = 0; i < 120; i++) EXPECT_EQ(raster->colours[i], 0u);
  raster->colours[3] = 42;
  testing::internal::CaptureStdout();
  RASTERResize(raster, -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "RASTER error\n");
  EXPECT_EQ(raster->length, 120);
  EXPECT_EQ(raster->colours[3], 42u);
}

TEST_F(RasterTest, ClearBlackensEveryEntry) {
  raster->position = 9;
  RASTERClear(raster);
  for (int32_t i = 0; i < 120; i++) EXPECT_EQ(raster->colours[i], 0u);
  EXPECT_EQ(raster->position, 9);
  EXPECT_EQ(raster->length, 120);
}

TEST_F(RasterTest, CopyAndEqualCompareColoursNotPositions) {
  raster->position = 5;
  Raster *copy = RASTERCopy(raster);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->position, 0);
  testing::internal::CaptureStdout();
  EXPECT_TRUE(RASTEREqual(raster, copy));
  copy->colours[119] ^= 1;
  EXPECT_FALSE(RASTEREqual(raster, copy));
  Raster *other = makeRaster(119);
  EXPECT_FALSE(RASTEREqual(raster, other));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  RASTERFree(&copy);
  RASTERFree(&other);
}

TEST_F(RasterTest, RastersWithoutATableAreReported) {
  uint32_t *table = raster->colours;
  raster->colours = nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(RASTERCopy(raster), nullptr);
  EXPECT_FALSE(RASTEREqual(raster, raster));
  EXPECT_FALSE(RASTEREqual(nullptr, raster));
  RASTERDraw(raster, image);
  RASTERAdvance(raster);
  RASTERClear(raster);
  std::string expected;
  for (int i = 0; i < 6; i++) expected += "RASTER error\n";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
  raster->colours = table;
}

TEST(RasterFiles, LoadAndSaveTouchFilesOnly) {
  const char *name = "raster_test_file.txt";
  std::FILE *file = std::fopen(name, "w");
  std::fputs("not empty", file);
  std::fclose(file);
  Raster *loaded = RASTERLoad(name);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->length, 0);
  EXPECT_EQ(loaded->position, 0);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(RASTERSave(loaded, name));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "RASTER error\n");
  file = std::fopen(name, "rb");
  EXPECT_EQ(std::fgetc(file), 'n');
  std::fclose(file);
  Raster *fresh = RASTERNew();
  EXPECT_TRUE(RASTERSave(fresh, name));
  file = std::fopen(name, "rb");
  EXPECT_EQ(std::fgetc(file), EOF);
  std::fclose(file);
  std::remove(name);
  testing::internal::CaptureStdout();
  EXPECT_EQ(RASTERLoad("no such raster file"), nullptr);
  EXPECT_EQ(RASTERLoad(nullptr), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "RASTER error\nRASTER error\n");
  EXPECT_EQ(RASTERToASCII(fresh), nullptr);
  EXPECT_EQ(RASTERFromASCII("anything"), nullptr);
  EXPECT_EQ(RASTERFromASCII(nullptr), nullptr);
  RASTERFree(&loaded);
  RASTERFree(&fresh);
}

}  // namespace
