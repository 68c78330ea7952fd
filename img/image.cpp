// The image record: life cycle, comparison, clearing and single-pixel access.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "img/failure.h"
#include "img/img.h"

[[maybe_unused]] static const char *const imgIdentification[] = {"IMG", "20080711",
                                                                 "VORN2112 developers"};

static size_t pixelCount(const Image *image) {
  return static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
}

// The index of the pixel at (x, y), both inside the image, computed in size_t:
// exact for every image whose pixels exist, whatever the word size, also
// for a record made by hand beyond the size limit.
static size_t pixelIndex(const Image *image, int32_t x, int32_t y) {
  return static_cast<size_t>(y) * static_cast<size_t>(image->width) + static_cast<size_t>(x);
}

void IMGError() { std::fputs("IMG error\n", stdout); }

Image *imgMake(int64_t width, int64_t height) {
  if (!imgSizeFits(width, height)) return nullptr;
  auto *image = static_cast<Image *>(std::calloc(1, sizeof(Image)));
  if (image != nullptr) {
    image->width = static_cast<int32_t>(width);
    image->height = static_cast<int32_t>(height);
    // calloc(0, ...) may give null; an empty image still gets a present array.
    size_t n = pixelCount(image);
    image->pixels = static_cast<uint32_t *>(std::calloc(n == 0 ? 1 : n, sizeof(uint32_t)));
  }
  if (image == nullptr || image->pixels == nullptr) {
    std::free(image);
    imgFail("out of memory");
    IMGError();
    return nullptr;
  }
  return image;
}

Image *IMGMake(int32_t width, int32_t height) { return imgMake(width, height); }

Image *IMGNew() { return IMGMake(16, 16); }

void IMGFree(Image **image) {
  if (image == nullptr || *image == nullptr) {
    IMGError();
    return;
  }
  std::free((*image)->pixels);
  std::free(*image);
  *image = nullptr;
}

bool IMGEqual(const Image *a, const Image *b) {
  if (a == nullptr || b == nullptr) {
    IMGError();
    return false;
  }
  if (a->width != b->width || a->height != b->height) return false;
  size_t n = pixelCount(a);
  if (n == 0 || a->pixels == b->pixels) return true;
  // An image whose allocation failed equals only another such image.
  if (a->pixels == nullptr || b->pixels == nullptr) return false;
  return std::memcmp(a->pixels, b->pixels, n * sizeof(uint32_t)) == 0;
}

Image *IMGCopy(const Image *source) {
  if (source == nullptr || (pixelCount(source) > 0 && source->pixels == nullptr)) {
    IMGError();
    return nullptr;
  }
  Image *copy = IMGMake(source->width, source->height);
  if (copy != nullptr && pixelCount(copy) > 0)
    std::memcpy(copy->pixels, source->pixels, pixelCount(copy) * sizeof(uint32_t));
  return copy;
}

void IMGResize(Image *image, int32_t w, int32_t h) {
  if (image == nullptr) {
    IMGError();
    return;
  }
  // A size that may not exist leaves the image as it was.
  if (!imgSizeFits(w, h)) return;
  std::free(image->pixels);
  image->width = w;
  image->height = h;
  // calloc(0, ...) may give null; an empty image still gets a present array.
  size_t n = pixelCount(image);
  image->pixels = static_cast<uint32_t *>(std::calloc(n == 0 ? 1 : n, sizeof(uint32_t)));
}

void IMGClear(Image *image) {
  if (image == nullptr || image->pixels == nullptr) {
    IMGError();
    return;
  }
  std::memset(image->pixels, 0, pixelCount(image) * sizeof(uint32_t));
}

void IMGPutPixel(Image *image, int32_t x, int32_t y, uint32_t value) {
  if (image == nullptr || image->pixels == nullptr) {
    IMGError();
    return;
  }
  if (x >= 0 && x < image->width && y >= 0 && y < image->height)
    image->pixels[pixelIndex(image, x, y)] = value;
}

uint32_t IMGGetPixel(const Image *image, int32_t x, int32_t y) {
  if (image == nullptr) {
    IMGError();
    return 0;
  }
  if (image->pixels == nullptr) return 0;
  if (x >= 0 && x < image->width && y >= 0 && y < image->height)
    return image->pixels[pixelIndex(image, x, y)];
  return 0;
}
