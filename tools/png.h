// PNG files for the demo's desktop icon (as a PNG, or the Windows icon file
// that carries one) and the frames a failing test keeps, written by
// stb_image_write.
//
// 8-bit RGBA, compressed; the same image gives the same bytes on every
// machine. Pixel value 0, transparent everywhere in the demo, becomes a
// fully transparent pixel; every other pixel is opaque. A frame of the demo,
// where 0 is black, is written with PngAlpha::opaque instead.
#pragma once

#include <cstdint>
#include <vector>

#include "img/img.h"

namespace assets {

enum class PngAlpha { zeroIsClear, opaque };

// The whole PNG file; empty for a null image or one without pixels.
std::vector<uint8_t> encodePng(const Image *image, PngAlpha alpha = PngAlpha::zeroIsClear);
bool writePng(const Image *image, const char *path,  // false when not written
              PngAlpha alpha = PngAlpha::zeroIsClear);
// An .ico file of one entry, the image as PNG (read by Windows since Vista);
// images up to 256 x 256. False when not written.
bool writeIco(const Image *image, const char *path);

}  // namespace assets
