// A small PNG writer for the demo's desktop icon (as a PNG, or the Windows
// icon file that carries one) and the frames a failing test keeps.
//
// It writes 8-bit RGBA with the image data in stored (uncompressed) deflate
// blocks: no compression library is needed, and the same image gives the same
// bytes on every machine. Pixel value 0, transparent everywhere in the demo,
// becomes a fully transparent pixel; every other pixel is opaque. A frame of
// the demo, where 0 is black, is written with PngAlpha::opaque instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "img/img.h"

namespace assets {

// The checksums PNG needs: CRC-32 (ISO 3309, as in zlib and PNG chunks),
// continued from `crc` so a chunk's type and data can be fed in turn, and
// Adler-32 (zlib's trailer).
uint32_t crc32(const uint8_t *data, size_t size, uint32_t crc = 0);
uint32_t adler32(const uint8_t *data, size_t size);

enum class PngAlpha { zeroIsClear, opaque };

// The whole PNG file; empty for a null image or one without pixels.
std::vector<uint8_t> encodePng(const Image *image, PngAlpha alpha = PngAlpha::zeroIsClear);
bool writePng(const Image *image, const char *path,  // false when not written
              PngAlpha alpha = PngAlpha::zeroIsClear);
// An .ico file of one entry, the image as PNG (read by Windows since Vista);
// images up to 256 x 256. False when not written.
bool writeIco(const Image *image, const char *path);

}  // namespace assets
