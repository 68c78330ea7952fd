// Writing an image as a raw PNM colour picture (P6).
#include <cstdio>

#include "img/img.h"

bool IMGSave(const Image *image, const char *path) {
  if (image == nullptr || image->pixels == nullptr || path == nullptr || image->width <= 0 ||
      image->height <= 0) {
    IMGError();
    return false;
  }
  std::FILE *file = std::fopen(path, "wb");
  if (file == nullptr) {
    IMGError();
    return false;
  }
  std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height);
  const uint32_t *p = image->pixels;
  const uint32_t *end = p + static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  for (; p < end; ++p) {
    unsigned char rgb[3] = {static_cast<unsigned char>(*p >> 16),
                            static_cast<unsigned char>(*p >> 8), static_cast<unsigned char>(*p)};
    std::fwrite(rgb, 1, 3, file);
  }
  // A full disk or a failing device shows up here: report it, never claim success.
  bool written = std::ferror(file) == 0;
  written = std::fclose(file) == 0 && written;
  if (!written) IMGError();
  return written;
}
