// PNG files by stb_image_write (its implementation: tools/stb/), and the
// .ico file around one.
#include "tools/png.h"

#include <cstdio>

#include "os/os.h"

// Encoded in memory only: the files are written through the operating
// system's layer (UTF-8 names on every system).
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace assets {

// Red, green, blue, alpha per pixel, row after row.
static std::vector<uint8_t> rgba(const Image *image, PngAlpha alpha) {
  const size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  std::vector<uint8_t> bytes;
  bytes.reserve(4 * count);
  const uint32_t *pixel = image->pixels;
  for (size_t i = 0; i < count; ++i, ++pixel) {
    uint32_t p = *pixel & 0xFFFFFF;
    bytes.push_back(static_cast<uint8_t>(p >> 16));
    bytes.push_back(static_cast<uint8_t>(p >> 8));
    bytes.push_back(static_cast<uint8_t>(p));
    bytes.push_back(p == 0 && alpha == PngAlpha::zeroIsClear ? 0 : 255);
  }
  return bytes;
}

static void append(void *context, void *data, int size) {
  auto *out = static_cast<std::vector<uint8_t> *>(context);
  const auto *bytes = static_cast<const uint8_t *>(data);
  out->insert(out->end(), bytes, bytes + size);
}

std::vector<uint8_t> encodePng(const Image *image, PngAlpha alpha) {
  if (image == nullptr || image->pixels == nullptr || image->width <= 0 || image->height <= 0)
    return {};
  std::vector<uint8_t> png;
  const std::vector<uint8_t> pixels = rgba(image, alpha);
  if (stbi_write_png_to_func(append, &png, image->width, image->height, 4, pixels.data(),
                             image->width * 4) == 0)
    png.clear();
  return png;
}

static bool writeFile(const std::vector<uint8_t> &bytes, const char *path) {
  if (bytes.empty() || path == nullptr) return false;
  std::FILE *file = OSOpenFile(path, "w");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool writePng(const Image *image, const char *path, PngAlpha alpha) {
  return writeFile(encodePng(image, alpha), path);
}

static void putLittle(std::vector<uint8_t> &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

bool writeIco(const Image *image, const char *path) {
  if (image == nullptr || image->width > 256 || image->height > 256) return false;
  std::vector<uint8_t> png = encodePng(image);
  if (png.empty()) return false;
  std::vector<uint8_t> ico;
  putLittle(ico, 0, 2);  // reserved
  putLittle(ico, 1, 2);  // an icon, not a cursor
  putLittle(ico, 1, 2);  // one image
  // Its entry: width and height (0 for 256), no palette, one plane, 32 bits
  // a pixel, the PNG's size and where it starts, right after this entry.
  putLittle(ico, static_cast<uint32_t>(image->width) & 0xFF, 1);
  putLittle(ico, static_cast<uint32_t>(image->height) & 0xFF, 1);
  putLittle(ico, 0, 2);
  putLittle(ico, 1, 2);
  putLittle(ico, 32, 2);
  putLittle(ico, static_cast<uint32_t>(png.size()), 4);
  putLittle(ico, 6 + 16, 4);
  ico.insert(ico.end(), png.begin(), png.end());
  return writeFile(ico, path);
}

}  // namespace assets
