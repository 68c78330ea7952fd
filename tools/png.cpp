// PNG writer: signature, IHDR, one IDAT holding a zlib stream of stored
// deflate blocks, IEND.
#include "tools/png.h"

#include <cstdio>

namespace assets {

uint32_t crc32(const uint8_t *data, size_t size, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

uint32_t adler32(const uint8_t *data, size_t size) {
  uint32_t a = 1, b = 0;
  for (size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

static void putBig32(std::vector<uint8_t> &out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

static void putChunk(std::vector<uint8_t> &out, const char type[4],
                     const std::vector<uint8_t> &data) {
  putBig32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, crc32(out.data() + start, out.size() - start));
}

// Each row: filter type 0 (none), then red, green, blue, alpha per pixel.
static std::vector<uint8_t> scanlines(const Image *image, PngAlpha alpha) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(image->height) * (1 + 4 * static_cast<size_t>(image->width)));
  const uint32_t *pixel = image->pixels;
  for (int32_t y = 0; y < image->height; ++y) {
    raw.push_back(0);
    for (int32_t x = 0; x < image->width; ++x, ++pixel) {
      uint32_t p = *pixel & 0xFFFFFF;
      raw.push_back(static_cast<uint8_t>(p >> 16));
      raw.push_back(static_cast<uint8_t>(p >> 8));
      raw.push_back(static_cast<uint8_t>(p));
      raw.push_back(p == 0 && alpha == PngAlpha::zeroIsClear ? 0 : 255);
    }
  }
  return raw;
}

// A zlib stream (deflate, 32 KiB window, no dictionary) of stored blocks of
// at most 65535 bytes each, the last one marked final.
static std::vector<uint8_t> zlibStored(const std::vector<uint8_t> &raw) {
  std::vector<uint8_t> out = {0x78, 0x01};
  size_t offset = 0;
  do {
    size_t length = raw.size() - offset < 65535 ? raw.size() - offset : 65535;
    bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<uint8_t>(length));
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(~length));
    out.push_back(static_cast<uint8_t>(~length >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < raw.size());
  putBig32(out, adler32(raw.data(), raw.size()));
  return out;
}

std::vector<uint8_t> encodePng(const Image *image, PngAlpha alpha) {
  if (image == nullptr || image->pixels == nullptr || image->width <= 0 || image->height <= 0)
    return {};
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putBig32(header, static_cast<uint32_t>(image->width));
  putBig32(header, static_cast<uint32_t>(image->height));
  header.insert(header.end(),
                {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, filter method 0, no interlace
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", zlibStored(scanlines(image, alpha)));
  putChunk(png, "IEND", {});
  return png;
}

static bool writeFile(const std::vector<uint8_t> &bytes, const char *path) {
  if (bytes.empty() || path == nullptr) return false;
  std::FILE *file = std::fopen(path, "wb");
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
