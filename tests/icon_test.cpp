// The desktop icon and its PNG files. Written files are read back with
// netpbm's pngtopam, a decoder that is not the writer's, so that a fault in
// the pixels handed to the writer, their order or their alpha shows as a file
// that does not decode, or decodes to other pixels. pngtopam is a Linux
// program: the Windows build skips those cases.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "img/img.h"
#include "tests/support.h"
#include "tools/assets.h"
#include "tools/png.h"

namespace {

struct Owned {
  Image *image;
  Owned(int32_t width, int32_t height) : image(IMGMake(width, height)) {}
  explicit Owned(Image *painted) : image(painted) {}
  ~Owned() {
    if (image != nullptr) IMGFree(&image);
  }
};

// Decodes a PNG file with pngtopam into RGBA bytes; false when it fails.
bool decode(const std::string &png, int32_t &width, int32_t &height, std::vector<uint8_t> &rgba) {
  std::string command = "pngtopam -alphapam '" + png + "' 2>/dev/null";
  std::FILE *pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  std::string header;
  char line[256];
  width = height = 0;
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    header += line;
    std::sscanf(line, "WIDTH %d", &width);
    std::sscanf(line, "HEIGHT %d", &height);
    if (std::strcmp(line, "ENDHDR\n") == 0) break;
  }
  bool good =
      header.rfind("P7\n", 0) == 0 && header.find("TUPLTYPE RGB_ALPHA\n") != std::string::npos;
  rgba.assign(static_cast<size_t>(width) * height * 4, 0);
  good = good && std::fread(rgba.data(), 1, rgba.size(), pipe) == rgba.size();
  return pclose(pipe) == 0 && good;
}

// Writes the image, decodes it and compares every pixel: colour as given,
// opaque, or fully transparent black where the pixel is 0.
void expectRoundTrip(const Image *image) {
  if (onWindows) GTEST_SKIP() << "the peer decoder, netpbm's pngtopam, is a Linux program";
  ScratchFolder folder("vorn-png");
  const std::string path = folder / "written.png";
  ASSERT_TRUE(assets::writePng(image, path.c_str()));
  int32_t width = 0, height = 0;
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(decode(path, width, height, rgba)) << "pngtopam cannot read " << path;
  ASSERT_EQ(width, image->width);
  ASSERT_EQ(height, image->height);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    uint32_t p = image->pixels[i] & 0xFFFFFF;
    const uint8_t *got = &rgba[i * 4];
    uint32_t colour = uint32_t{got[0]} << 16 | uint32_t{got[1]} << 8 | got[2];
    ASSERT_EQ(colour, p) << "pixel " << i;
    ASSERT_EQ(got[3], p == 0 ? 0 : 255) << "alpha of pixel " << i;
  }
}

TEST(PngWriter, SmallImageDecodesToItsPixelsWithZeroTransparent) {
  Owned small(3, 2);
  const uint32_t pixels[] = {0xFF0000, 0, 0x0000FF, 0x010203, 0xFFFFFF, 0x7F000080};
  std::memcpy(small.image->pixels, pixels, sizeof pixels);  // the top byte is not written
  expectRoundTrip(small.image);
}

TEST(PngWriter, ManyRowsOfScatteredColoursDecodeToTheirPixels) {
  Owned image(64, 256);
  for (int32_t i = 0; i < 64 * 256; ++i)
    image.image->pixels[i] = static_cast<uint32_t>(i) * 2654435761u >> 8;
  expectRoundTrip(image.image);
}

TEST(PngWriter, RefusesWhatItCannotWrite) {
  Owned empty(0, 0);
  EXPECT_TRUE(assets::encodePng(nullptr).empty());
  EXPECT_TRUE(assets::encodePng(empty.image).empty());
  Owned one(1, 1);
  EXPECT_FALSE(assets::writePng(one.image, "/nonexistent-folder/icon.png"));
  EXPECT_FALSE(assets::writePng(one.image, nullptr));
}

TEST(Icon, RoundedTileWithTransparentCornersAndTheSameBytesEveryTime) {
  Owned icon(assets::paintIcon()), again(assets::paintIcon());
  ASSERT_NE(icon.image, nullptr);
  ASSERT_EQ(icon.image->width, assets::iconSize);
  ASSERT_EQ(icon.image->height, assets::iconSize);
  const int32_t last = assets::iconSize - 1;
  for (int32_t corner : {0, last}) {
    EXPECT_EQ(IMGGetPixel(icon.image, corner, 0), 0u);
    EXPECT_EQ(IMGGetPixel(icon.image, corner, last), 0u);
  }
  int32_t opaque = 0;
  for (int32_t i = 0; i < assets::iconSize * assets::iconSize; ++i)
    opaque += icon.image->pixels[i] != 0;
  EXPECT_GT(opaque, assets::iconSize * assets::iconSize * 9 / 10);  // only the corners are cut
  EXPECT_EQ(assets::encodePng(icon.image), assets::encodePng(again.image));
}

}  // namespace
