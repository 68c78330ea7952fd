// The image record's life cycle: making an image of a size, copying it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "img/img.h"

namespace {

TEST(ImgMake, GivesZeroPixelsOfTheSizeAskedFor) {
  for (auto [w, h] : {std::pair{7, 5}, {1, 1}, {0, 9}, {9, 0}, {0, 0}}) {
    Image *image = IMGMake(w, h);
    ASSERT_NE(image, nullptr) << w << " x " << h;
    EXPECT_EQ(image->width, w);
    EXPECT_EQ(image->height, h);
    EXPECT_NE(image->pixels, nullptr) << "an empty image still has a pixel array";
    for (int32_t i = 0; i < w * h; i++) EXPECT_EQ(image->pixels[i], 0u);
    IMGFree(&image);
  }
}

TEST(ImgMake, NegativeSizeIsReportedAndMakesNothing) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(IMGMake(-1, 4), nullptr);
  EXPECT_EQ(IMGMake(4, -1), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMG error\nIMG error\n");
}

TEST(ImgNew, IsSixteenBySixteenZeros) {
  Image *image = IMGNew();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 16);
  EXPECT_EQ(image->height, 16);
  for (int32_t i = 0; i < 256; i++) EXPECT_EQ(image->pixels[i], 0u);
  IMGFree(&image);
  EXPECT_EQ(image, nullptr);
}

TEST(ImgCopy, GivesEqualPixelsOfItsOwn) {
  Image *source = IMGMake(3, 2);
  for (int32_t i = 0; i < 6; i++) source->pixels[i] = 0x010203u * static_cast<uint32_t>(i + 1);
  Image *copy = IMGCopy(source);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(IMGEqual(source, copy));
  EXPECT_NE(copy->pixels, source->pixels);
  copy->pixels[0] = 0;
  EXPECT_EQ(source->pixels[0], 0x010203u);
  IMGFree(&copy);
  IMGFree(&source);
}

TEST(ImgCopy, ImageWithoutPixelsOrNullIsReportedNotCopied) {
  Image hollow{4, 4, nullptr};
  testing::internal::CaptureStdout();
  EXPECT_EQ(IMGCopy(&hollow), nullptr);
  EXPECT_EQ(IMGCopy(nullptr), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMG error\nIMG error\n");
  Image empty{0, 3, nullptr};  // nothing to copy: an empty image of the size
  Image *copy = IMGCopy(&empty);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->height, 3);
  IMGFree(&copy);
}

}  // namespace
