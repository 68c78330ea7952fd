// Writing an image as a raw PNM colour picture (P6).
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "img/failure.h"
#include "img/img.h"
#include "os/os.h"

bool IMGSave(const Image *image, const char *path) {
  if (image == nullptr || image->pixels == nullptr || path == nullptr || image->width <= 0 ||
      image->height <= 0) {
    imgFail(image == nullptr || path == nullptr ? "no image or no file name"
                                                : "no pixels to write");
    IMGError();
    return false;
  }
  std::FILE *file = OSOpenFile(path, "w");
  if (file == nullptr) {
    imgFail(std::strerror(errno));
    IMGError();
    return false;
  }
  errno = 0;
  std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height);
  const uint32_t *p = image->pixels;
  const uint32_t *end = p + static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  for (; p < end; ++p) {
    unsigned char rgb[3] = {static_cast<unsigned char>(*p >> 16),
                            static_cast<unsigned char>(*p >> 8), static_cast<unsigned char>(*p)};
    std::fwrite(rgb, 1, 3, file);
  }
  // A full disk or a failing device shows up here: report it, never claim success.
  // errno says why; a stream that failed without one still failed.
  int error = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  if (error != 0) {
    imgFail(std::strerror(error));
    IMGError();
  }
  return error == 0;
}
