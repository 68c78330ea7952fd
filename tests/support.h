// What the test programs share: the setting they run in, owning wrappers for
// what the library returns, images made to order, standard output captured
// around a call, the test glyph sheet, frames compared and kept for a look
// when they differ, and the screen read back.
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
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "img/img.h"
#include "os/os.h"
#include "tools/png.h"

#ifndef VORN_TEST_BIN_DIR
#define VORN_TEST_BIN_DIR "."
#endif
// The command that runs a program of this build from a shell: empty, or a
// cross build's emulator (qemu-user) put before the program's name.
#ifndef VORN_TEST_EMULATOR
#define VORN_TEST_EMULATOR ""
#endif
#ifndef VORN_TEST_OUTPUT_DIR
#define VORN_TEST_OUTPUT_DIR "test-output"
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
inline testing::Environment *const testSetting = testing::AddGlobalTestEnvironment(new TestSetting);

// Whether the programs are Windows', where a few cases cannot exist (a FIFO
// among the files, a Linux program as a peer) and skip.
#ifdef _WIN32
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

// A new empty folder under the system's temporary folder, named `stem` and a
// random suffix (drawn again while the name is taken), removed with all it
// holds when the object goes. Its path is empty when none could be made.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string &stem) {
    namespace fs = std::filesystem;
    static std::mt19937 draw{std::random_device{}()};
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    for (int attempt = 0; attempt < 100 && !error; ++attempt) {
      fs::path folder = temporary / (stem + "-" + std::to_string(draw()));
      if (fs::create_directory(folder, error)) {
        path_ = folder;
        return;
      }
    }
    ADD_FAILURE() << "cannot make a folder for " << stem << " in " << temporary << ": "
                  << error.message();
  }
  ~ScratchFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  ScratchFolder(const ScratchFolder &) = delete;
  ScratchFolder &operator=(const ScratchFolder &) = delete;
  const std::filesystem::path &path() const { return path_; }
  // The path of `name` in the folder, as the library takes file names.
  std::string operator/(const std::string &name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

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

// Keeps a frame that a check found wrong, for a look: writes `actual`, and
// when the check has them the `expected` frame and a picture of their
// difference (red where the pixels differ, a dim grey copy of the expected
// frame elsewhere), into the build's test output folder as
// <suite>.<test>[-frame-N]-actual.png, -expected.png and -diff.png.
// Returns the words that name them, for the failure message.
inline std::string keptFrames(const Image *actual, const Image *expected = nullptr,
                              int frame = -1) {
  const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::replace(name.begin(), name.end(), '/', '_');  // parameterised names
  if (frame >= 0) name += "-frame-" + std::to_string(frame);
  std::error_code error;
  std::filesystem::create_directories(VORN_TEST_OUTPUT_DIR, error);
  const std::string base = (std::filesystem::absolute(VORN_TEST_OUTPUT_DIR, error) / name).string();
  std::string kept, lost;
  auto keep = [&](const Image *image, const char *what) {
    const std::string path = base + "-" + what + ".png";
    (assets::writePng(image, path.c_str(), assets::PngAlpha::opaque) ? kept : lost) +=
        "\n  " + path;
  };
  keep(actual, "actual");
  if (expected != nullptr) {
    keep(expected, "expected");
    ImagePtr diff(IMGMake(actual->width, actual->height));
    for (int32_t y = 0; y < actual->height; ++y)
      for (int32_t x = 0; x < actual->width; ++x) {
        const uint32_t e = IMGGetPixel(expected, x, y);
        const uint32_t grey = ((e >> 16 & 0xFF) + (e >> 8 & 0xFF) + (e & 0xFF)) / 12;
        diff->pixels[y * actual->width + x] =
            actual->pixels[y * actual->width + x] != e ? 0xFF0000u : grey * 0x010101u;
      }
    keep(diff.get(), "diff");
  }
  return std::string(expected != nullptr ? "kept the frame, the expected one and their difference:"
                                         : "kept the frame (the check has no expected one):") +
         kept + (lost.empty() ? "" : "\ncould not write:" + lost);
}

// Whether `actual` is `expected`, pixel for pixel; when not, says how many
// pixels differ and the first of them, and keeps the frames (keptFrames).
inline testing::AssertionResult sameFrame(const Image *actual, const Image *expected,
                                          int frame = -1) {
  if (IMGEqual(actual, expected)) return testing::AssertionSuccess();
  long differing = 0;
  int32_t firstX = -1, firstY = -1;
  for (int32_t y = 0; y < actual->height; ++y)
    for (int32_t x = 0; x < actual->width; ++x)
      if (actual->pixels[y * actual->width + x] != IMGGetPixel(expected, x, y) && !differing++) {
        firstX = x;
        firstY = y;
      }
  testing::Message why;  // one stream, so that std::hex holds
  if (frame >= 0) why << "frame " << frame << ": ";
  if (actual->width != expected->width || actual->height != expected->height)
    why << actual->width << "x" << actual->height << " instead of " << expected->width << "x"
        << expected->height << "; ";
  if (differing > 0)
    why << differing << " pixels differ, the first at (" << firstX << ", " << firstY << "): 0x"
        << std::hex << IMGGetPixel(actual, firstX, firstY) << " instead of 0x"
        << IMGGetPixel(expected, firstX, firstY) << "; ";
  return testing::AssertionFailure() << why << keptFrames(actual, expected, frame);
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
