#include "raster/raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "img/img.h"
#include "tests/support.h"

namespace {

// 120 distinct colours, entry i being 0x000100 * i + 1, over a 5 x 8 image.
struct RasterTest : ::testing::Test {
  Raster *raster = RASTERNew();
  Image *image = makeImage(5, 8, 0x00ABCDEF);
  void SetUp() override {
    RASTERResize(raster, 120);
    for (int32_t i = 0; i < 120; i++) raster->colours[i] = 0x000100u * i + 1;
  }
  void TearDown() override {
    RASTERFree(&raster);
    IMGFree(&image);
  }
  // The table entry each row shows, -1 for a row that is not one colour of it.
  std::vector<int32_t> rows() {
    std::vector<int32_t> entries;
    for (int32_t r = 0; r < image->height; r++) {
      uint32_t p = image->pixels[r * image->width];
      bool even =
          std::all_of(&image->pixels[r * image->width], &image->pixels[(r + 1) * image->width],
                      [&](uint32_t q) { return q == p; });
      entries.push_back(even && p % 0x100 == 1 ? static_cast<int32_t>(p >> 8) : -1);
    }
    return entries;
  }
};

TEST_F(RasterTest, RowsTakeConsecutiveEntriesModuloTheLength) {
  raster->position = 118;
  RASTERDraw(raster, image);
  EXPECT_EQ(rows(), (std::vector<int32_t>{118, 119, 0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(raster->position, 118);
  raster->position = -2;  // out of range: taken modulo the length
  RASTERDraw(raster, image);
  EXPECT_EQ(rows(), (std::vector<int32_t>{118, 119, 0, 1, 2, 3, 4, 5}));
  RASTERResize(raster, 3);  // shorter than the image: repeated
  for (uint32_t i = 0; i < 3; i++) raster->colours[i] = 0x100 * i + 1;
  RASTERDraw(raster, image);
  EXPECT_EQ(rows(), (std::vector<int32_t>{0, 1, 2, 0, 1, 2, 0, 1}));
}

TEST_F(RasterTest, AdvanceWrapsAtTheLength) {
  for (int i = 0; i < 119; i++) RASTERAdvance(raster);
  EXPECT_EQ(raster->position, 119);
  RASTERAdvance(raster);
  EXPECT_EQ(raster->position, 0);
}

TEST_F(RasterTest, BlendMixesEachChannelWithoutCarries) {
  struct Case {
    uint32_t old, colour;
    int32_t weight;
    uint32_t mixed;
  };
  for (Case c : {Case{0, 0xFFFFFF, 128, 0x7F7F7F},
                 {0xFF0000, 0xFF00FF, 128, 0xFF007F},
                 {0xFF0000, 0x123456, 256, 0x123456},
                 {0x123456, 0xFFFFFF, 0, 0x123456},
                 {0x808080, 0x204060, 1000, 0x204060},
                 {0x204060, 0xFFFFFF, -7, 0x204060}}) {
    image->pixels[0] = c.old;
    RASTERBlendHLine(image, c.colour, 0, 0, 0, c.weight);
    EXPECT_EQ(image->pixels[0], c.mixed) << std::hex << c.old << " " << c.colour;
  }
  Image *plain = IMGCopy(image);
  RASTERDraw(raster, plain);
  RASTERDrawBlended(raster, image, 256);
  EXPECT_TRUE(IMGEqual(plain, image));
  IMGFree(&plain);
}

TEST_F(RasterTest, NothingToDrawIsSilent) {
  Image *before = IMGCopy(image);
  testing::internal::CaptureStdout();
  RASTERHLine(image, 9, 8, 0, 4);
  RASTERHLine(image, 9, -1, 0, 4);
  RASTERHLine(image, 9, 0, 3, 2);
  RASTERResize(raster, 0);
  RASTERDraw(raster, image);
  RASTERDrawBlended(raster, image, 100);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(IMGEqual(before, image));
  IMGFree(&before);
}

TEST(RasterLine, IsClippedToTheImageAndReportsANullImage) {
  Image *image = makeImage(640, 2, 0);
  RASTERHLine(image, 7, 1, -5, 1000);
  for (int32_t x = 0; x < 1280; x++) ASSERT_EQ(image->pixels[x], x < 640 ? 0u : 7u);
  testing::internal::CaptureStdout();
  RASTERHLine(nullptr, 9, 0, 0, 1);
  RASTERBlendHLine(nullptr, 9, 0, 0, 1, 3);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMG error\nIMG error\n");
  IMGFree(&image);
}

TEST_F(RasterTest, CopyEqualResizeAndClear) {
  raster->position = 5;
  Raster *copy = RASTERCopy(raster);
  EXPECT_EQ(copy->position, 0);
  EXPECT_TRUE(RASTEREqual(raster, copy));
  copy->colours[119] ^= 1;
  EXPECT_FALSE(RASTEREqual(raster, copy));
  RASTERClear(copy);
  EXPECT_EQ(std::count(copy->colours, copy->colours + 120, 0u), 120);
  testing::internal::CaptureStdout();
  RASTERResize(raster, -1);  // refused: the table stays
  EXPECT_EQ(raster->length, 120);
  EXPECT_EQ(raster->colours[3], 0x301u);
  RASTERResize(copy, 119);
  EXPECT_FALSE(RASTEREqual(raster, copy));
  uint32_t *table = raster->colours;
  raster->colours = nullptr;  // as after a failed allocation
  EXPECT_EQ(RASTERCopy(raster), nullptr);
  EXPECT_FALSE(RASTEREqual(raster, raster));
  RASTERDraw(raster, nullptr);
  RASTERAdvance(raster);
  raster->colours = table;
  RASTERFree(&copy);
  RASTERFree(&copy);
  std::string expected;
  for (int i = 0; i < 6; i++) expected += "RASTER error\n";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
}

TEST(RasterFiles, LoadReadsNothingAndSaveWritesNothing) {
  const char *name = "raster_test_file.txt";
  std::FILE *file = std::fopen(name, "wb");
  std::fputs("x", file);
  std::fclose(file);
  Raster *loaded = RASTERLoad(name);
  EXPECT_EQ(loaded->length, 0);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(RASTERSave(loaded, name));  // an empty table is not saved
  EXPECT_EQ(RASTERLoad("no such raster file"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "RASTER error\nRASTER error\n");
  RASTERResize(loaded, 1);
  EXPECT_TRUE(RASTERSave(loaded, name));
  file = std::fopen(name, "rb");
  EXPECT_EQ(std::fgetc(file), EOF);
  std::fclose(file);
  std::remove(name);
  RASTERFree(&loaded);
}

}  // namespace
