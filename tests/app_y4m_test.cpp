// The YUV4MPEG2 writer: the header, the frame's three full planes in
// studio-range YCbCr, and a frame of the wrong size refused.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

#include "app/y4m.h"
#include "support.h"

namespace {

std::string contentsOf(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string header = "YUV4MPEG2 W3 H1 F60:1 Ip A1:1 C444\n";

TEST(AppY4m, FrameIsItsYThenCbThenCrPlane) {
  const ScratchFolder folder("vorn-y4m");
  const std::string path = folder / "frames.y4m";
  Y4mStream stream{};
  ASSERT_TRUE(Y4MStart(&stream, std::fopen(path.c_str(), "wb"), 3, 1));
  ImagePtr frame = imageOf(3, 1, {0x000000, 0xFFFFFF, 0xFF0000});  // black, white, red
  EXPECT_TRUE(Y4MWrite(&stream, frame.get()));
  EXPECT_TRUE(Y4MEnd(&stream));
  const char planes[] = {16, char(235), 82,        char(128), char(128),
                         90, char(128), char(128), char(240)};
  EXPECT_EQ(contentsOf(path), header + "FRAME\n" + std::string(planes, sizeof planes));
}

TEST(AppY4m, FrameOfAnotherSizeIsRefusedAndNotWritten) {
  const ScratchFolder folder("vorn-y4m");
  const std::string path = folder / "frames.y4m";
  Y4mStream stream{};
  ASSERT_TRUE(Y4MStart(&stream, std::fopen(path.c_str(), "wb"), 3, 1));
  ImagePtr frame = imageOf(1, 3);
  EXPECT_FALSE(Y4MWrite(&stream, frame.get()));
  EXPECT_EQ(stream.error, EINVAL);
  EXPECT_FALSE(Y4MEnd(&stream));
  EXPECT_EQ(contentsOf(path), header);
}

}  // namespace
