// What the test programs share: the setting they run in, owning wrappers for
// what the library returns, images made to order, standard output captured
// around a call, the test glyph sheet, and the screen read back.
//
// The setting: every program runs in the build's bin folder, beside the
// generated pictures, under SDL's dummy video driver. CTest starts them so;
// a program started by hand from anywhere takes both before its first test
// (a GoogleTest environment), keeping an SDL_VIDEODRIVER that is already set.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "img/img.h"
#include "platform/os.h"

#ifndef VORN_TEST_BIN_DIR
#define VORN_TEST_BIN_DIR "."
#endif

class TestSetting : public testing::Environment {
 public:
  void SetUp() override {
    OSSetVariable("SDL_VIDEODRIVER", "dummy", false);
    std::error_code error;
    std::filesystem::current_path(VORN_TEST_BIN_DIR, error);
    ASSERT_FALSE(error) << "cannot enter " << VORN_TEST_BIN_DIR << ": " << error.message();
  }
};
inline testing::Environment *const testSetting =
    testing::AddGlobalTestEnvironment(new TestSetting);

// Owning pointers: an image released with IMGFree, and the plain heap blocks
// (texts, run tables, point lists) released with free.
struct ImageDeleter {
  void operator()(Image *image) const { IMGFree(&image); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

struct HeapDeleter {
  void operator()(void *block) const { std::free(block); }
};
template <typename T>
using HeapPtr = std::unique_ptr<T, HeapDeleter>;

inline size_t pixelCountOf(const Image *image) {
  return static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
}

// A w x h image with every pixel `fill`; the caller frees it.
inline Image *makeImage(int32_t w, int32_t h, uint32_t fill = 0) {
  Image *image = IMGMake(w, h);
  if (image != nullptr) std::fill(image->pixels, image->pixels + pixelCountOf(image), fill);
  return image;
}

// A w x h image holding `pixels` row by row; pixels left over are 0.
inline ImagePtr imageOf(int32_t w, int32_t h, const std::vector<uint32_t> &pixels = {}) {
  ImagePtr image(makeImage(w, h));
  std::copy_n(pixels.begin(), std::min(pixels.size(), pixelCountOf(image.get())), image->pixels);
  return image;
}

inline std::vector<uint32_t> pixelsOf(const Image *image) {
  return {image->pixels, image->pixels + pixelCountOf(image)};
}

// A w x h image of distinct colours whose top bytes are set too, as a
// present must not show them; each seed gives other colours.
inline Image *paintedImage(int32_t w, int32_t h, uint32_t seed = 0) {
  Image *image = IMGMake(w, h);
  for (size_t i = 0; i < pixelCountOf(image); ++i)
    image->pixels[i] = 0xAB000000u | ((static_cast<uint32_t>(i) + seed) * 2654435761u >> 8);
  return image;
}

// What the action prints on standard output.
inline std::string captured(const std::function<void()> &action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// The test glyph sheet: 8 x 8 glyphs, 16 a row, on a 128 x 64 sheet (codes 0
// .. 127). Pixel (gx, gy) of glyph k is glyphPixel(k, gx, gy): never 0, and
// no two pixels of the sheet alike, so a drawn pixel tells where it came from.
inline uint32_t glyphPixel(int32_t k, int32_t gx, int32_t gy) {
  return static_cast<uint32_t>(k + 1) << 8 | static_cast<uint32_t>(gy * 8 + gx + 1);
}

inline Image *makeGlyphSheet() {
  Image *sheet = IMGMake(128, 64);
  for (int32_t y = 0; y < 64; y++)
    for (int32_t x = 0; x < 128; x++)
      sheet->pixels[y * 128 + x] = glyphPixel(y / 8 * 16 + x / 8, x % 8, y % 8);
  return sheet;
}

// The screen, for the programs that link SDL.
#if __has_include(<SDL.h>)
#include <SDL.h>

#include <cstring>

// The screen's pixel at (x, y) as 0x00RRGGBB, read through its own format.
inline uint32_t screenPixel(int x, int y) {
  SDL_Surface *screen = SDL_GetVideoSurface();
  SDL_LockSurface(screen);
  const uint8_t *row = static_cast<const uint8_t *>(screen->pixels) + y * screen->pitch;
  uint32_t raw = 0;
  std::memcpy(&raw, row + x * screen->format->BytesPerPixel, screen->format->BytesPerPixel);
  SDL_UnlockSurface(screen);
  Uint8 r, g, b;
  SDL_GetRGB(raw, screen->format, &r, &g, &b);
  return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

inline void fillScreen(uint32_t colour) {
  SDL_Surface *screen = SDL_GetVideoSurface();
  SDL_FillRect(screen, nullptr,
               SDL_MapRGB(screen->format, Uint8(colour >> 16), Uint8(colour >> 8), Uint8(colour)));
}
#endif
