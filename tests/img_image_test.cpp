// The image record's life cycle: making an image of a size, copying it; the
// one size limit of every image, and pixel access up to it and beyond.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "img/img.h"
#include "tests/support.h"

// Where the allocator can be hooked (Linux, linked dynamically), refusals
// are shown to allocate nothing at all; elsewhere their results and reasons
// show it.
#if __has_include(<link.h>) && !defined(VORN_NO_ALLOC_HOOK)
#include "tests/alloc_hook.h"
#else
inline long allocationCount() { return 0; }
#endif
#ifdef __linux__
#include <sys/mman.h>
#endif

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

// Sizes over the limit of 2^28 pixels: just over it, one way and the other,
// and sizes whose pixel count wraps 32 bits (to 0, to 131073, to 1).
constexpr std::pair<int32_t, int32_t> oversized[] = {
    {16385, 16384}, {1, 268435457}, {65536, 65536}, {65537, 65537}, {INT32_MAX, INT32_MAX}};

std::string overTheLimit(int64_t w, int64_t h) {
  return std::to_string(w) + " x " + std::to_string(h) + " is over the limit of 268435456 pixels";
}

TEST(ImgSizeLimit, EveryOperationThatMakesAnImageRefusesSizesOverItBeforeAllocating) {
  ImagePtr small(paintedImage(3, 2));
  const std::vector<uint32_t> smallPixels = pixelsOf(small.get());
  uint32_t pixel = 0;
  for (const auto &size : oversized) {
    const int32_t w = size.first, h = size.second;
    Image record{w, h, &pixel};  // only its size is looked at
    const std::string sizes = std::to_string(w) + " " + std::to_string(h);
    const std::string text = "IMG{P3\n" + sizes + "\n255\n", picture = "P6 " + sizes + " 255\n";
    const std::string reason = overTheLimit(w, h);
    struct Call {
      const char *name;
      std::function<const void *()> run;  // null when refused
      std::string reason;
    };
    const Call calls[] = {
        {"IMGMake", [&] { return IMGMake(w, h); }, reason},
        {"IMGResize", [&]() -> const void * { return IMGResize(small.get(), w, h), nullptr; },
         reason},
        {"IMGCopy", [&] { return IMGCopy(&record); }, reason},
        {"IMGScale", [&] { return IMGScale(small.get(), w, h); }, reason},
        {"IMGRotate", [&] { return IMGRotate(&record, 512); },
         overTheLimit(int64_t{w} * 92667 >> 16, int64_t{h} * 92667 >> 16)},
        {"IMGToASCII", [&] { return IMGToASCII(&record); }, reason},
        {"IMGFromASCII", [&] { return IMGFromASCII(text.c_str()); }, reason},
        {"IMGParse", [&] { return IMGParse(picture.c_str()); }, reason},
    };
    for (const Call &call : calls) {
      SCOPED_TRACE(std::string(call.name) + " " + sizes);
      const void *result = &pixel;
      long allocations = -1;
      EXPECT_EQ(captured([&] {
                  const long before = allocationCount();
                  result = call.run();
                  allocations = allocationCount() - before;
                }),
                "IMG error\n");
      EXPECT_EQ(result, nullptr);
      EXPECT_EQ(allocations, 0);
      EXPECT_EQ(IMGFailureReason(), call.reason);
    }
    // IMGResize left the image as it was.
    EXPECT_EQ(small->width, 3);
    EXPECT_EQ(small->height, 2);
    EXPECT_EQ(pixelsOf(small.get()), smallPixels);
  }
}

// The largest images are zeros that the system maps lazily: cheap to make,
// and their far corners are reached. One at the limit cannot be turned, as
// its canvas would be over it.
TEST(ImgSizeLimit, ImagesAtTheLimitAreMadeAndReachedToTheFarCorner) {
  for (auto [w, h] : {std::pair{16384, 16384}, {268435456, 1}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    ImagePtr image(IMGMake(w, h));
    ASSERT_NE(image, nullptr);
    IMGPutPixel(image.get(), w - 1, h - 1, 0xC0FFEEu);
    EXPECT_EQ(IMGGetPixel(image.get(), w - 1, h - 1), 0xC0FFEEu);
    EXPECT_EQ(image->pixels[(size_t{1} << 28) - 1], 0xC0FFEEu);
    EXPECT_EQ(IMGGetPixel(image.get(), w - 1, h - 2), 0u);
    if (w == h) {
      EXPECT_EQ(captured([&] { EXPECT_EQ(IMGRotate(image.get(), 0), nullptr); }), "IMG error\n");
      EXPECT_EQ(IMGFailureReason(), overTheLimit(23166, 23166));
    }
  }
}

// The records are open: an image made by hand beyond the limit, over 16 GiB
// of address space reserved but never touched, is indexed in full width, so
// the pixel at (65535, 65535) is the last of 2^32, not one before the first.
TEST(ImgSizeLimit, RecordsMadeByHandBeyondItAreIndexedInFullWidth) {
#if defined(__linux__) && UINTPTR_MAX > UINT32_MAX
  const size_t bytes = (size_t{1} << 32) * sizeof(uint32_t);
  void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(memory, MAP_FAILED);
  Image record{65536, 65536, static_cast<uint32_t *>(memory)};
  IMGPutPixel(&record, 65535, 65535, 0xC0FFEEu);
  EXPECT_EQ(record.pixels[(size_t{1} << 32) - 1], 0xC0FFEEu);
  EXPECT_EQ(IMGGetPixel(&record, 65535, 65535), 0xC0FFEEu);
  munmap(memory, bytes);
#else
  GTEST_SKIP() << "needs 16 GiB of address space reserved without memory (64-bit Linux)";
#endif
}

}  // namespace
