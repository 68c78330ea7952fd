// The image core's picture files and text form: the PNM readers (IMGLoad on
// files, IMGParse on memory), IMGSave, IMGToASCII, IMGFromASCII and IMGFind.
// Pictures written by netpbm serve as an independent peer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "img/img.h"
#include "img/pnm_reader.h"
#include "tests/support.h"

namespace {

// Parses exactly the bytes of the string (no terminating zero is reachable),
// so that any read past the end shows under AddressSanitizer.
ImagePtr parseBounded(const std::string &bytes) {
  std::vector<unsigned char> exact(bytes.begin(), bytes.end());
  return ImagePtr(IMGParseBounded(exact.data(), exact.size()));
}

constexpr uint32_t W = 0xFFFFFF;
const std::string p6Bytes("P6\n2 1\n255\n\xFF\x00\x00\x00\x01\x02", 17);

class ImgFiles : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  std::string path(const std::string &name) const { return dir_ / name; }

  std::string write(const std::string &name, const std::string &bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }

  std::string read(const std::string &name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  ImagePtr load(const std::string &bytes) const {
    return ImagePtr(IMGLoad(write("picture.pnm", bytes).c_str()));
  }

  // Both readers report the bytes ("IMG error\n") and give no picture.
  void expectRejected(const std::string &bytes) const {
    SCOPED_TRACE(bytes);
    ImagePtr image;
    EXPECT_EQ(captured([&] { image = load(bytes); }), "IMG error\n");
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(captured([&] { image = parseBounded(bytes); }), "IMG error\n");
    EXPECT_EQ(image, nullptr);
  }

  // Runs a shell command in the temporary folder; true when it succeeded.
  bool run(const std::string &command) const {
    return std::system(("cd '" + dir_.path().string() + "' && " + command).c_str()) == 0;
  }

  ScratchFolder dir_{"img_files"};
};

TEST_F(ImgFiles, RawColourPictureLoadsAndSavesBackByteForByte) {
  ImagePtr loaded = load(p6Bytes);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->width, 2);
  EXPECT_EQ(loaded->height, 1);
  EXPECT_EQ(pixelsOf(loaded.get()), (std::vector<uint32_t>{0xFF0000, 0x000102}));
  ASSERT_TRUE(IMGSave(loaded.get(), path("saved.ppm").c_str()));
  EXPECT_EQ(read("saved.ppm"), p6Bytes);

  ImagePtr parsed(IMGParse(p6Bytes.data()));
  ASSERT_NE(parsed, nullptr);
  EXPECT_TRUE(IMGEqual(parsed.get(), loaded.get()));
}

TEST_F(ImgFiles, HeaderSeparatorsAndCommentsReadLikeBlanks) {
  const std::string body = "\x01\x02\x03\x04\x05\x06";
  const std::string plain = "P6 2 1 255\n" + body;
  const std::string odd = "P6\r\n# a comment line\n\t2  \t\r 1\n#another\n\x7F\x80 255\n" + body;
  for (const std::string &bytes : {plain, odd}) {
    SCOPED_TRACE(bytes);
    ImagePtr loaded = load(bytes);
    ImagePtr parsed = parseBounded(bytes);
    ASSERT_NE(loaded, nullptr);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(pixelsOf(loaded.get()), (std::vector<uint32_t>{0x010203, 0x040506}));
    EXPECT_TRUE(IMGEqual(loaded.get(), parsed.get()));
  }
}

TEST_F(ImgFiles, BadMagicEmptySizeOrCutHeaderIsAnError) {
  // A header cut short by the end of the input is missing: an error as well.
  for (const std::string bytes : {"P0 1 1 255\n\x01", "P7 1 1 255\n\x01", "P\x86 1 1 255\n\x01",
                                  "P5 0 1 255\n\x01", "P5 1 0 255\n\x01", "P1 0 0\n", "", "P", "P6",
                                  "P6 2", "P6 2 1", "P6 2 1 25", "P6 # comment"}) {
    expectRejected(bytes);
  }
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGParse(nullptr), nullptr); }), "IMG error\n");
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGLoad(nullptr), nullptr); }), "IMG error\n");
  EXPECT_EQ(captured([&] { EXPECT_EQ(IMGLoad(path("missing.pnm").c_str()), nullptr); }),
            "IMG error\n");
}

TEST_F(ImgFiles, FailedReadsSayWhy) {
  struct Case {
    std::string bytes;
    const char *reason;
  };
  const Case cases[] = {
      {"P7 1 1 255\n\x01", "not a PNM picture"},
      {"GIF89a", "not a PNM picture"},
      {"P6 2 1", "header cut short"},
      {"P5 0 1 255\n\x01", "width or height is 0"},
      {"P6 65536 65536 255\n", "65536 x 65536 is over the limit of 268435456 pixels"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.bytes);
    captured([&] { EXPECT_EQ(load(c.bytes), nullptr); });
    EXPECT_STREQ(IMGFailureReason(), c.reason);
    captured([&] { EXPECT_EQ(parseBounded(c.bytes), nullptr); });
    EXPECT_STREQ(IMGFailureReason(), c.reason);
  }
  const std::string missing = path("missing.pnm");
  captured([&] { EXPECT_EQ(IMGLoad(missing.c_str()), nullptr); });
  EXPECT_STREQ(IMGFailureReason(), "No such file or directory");
  captured([&] { EXPECT_EQ(IMGLoad(dir_.path().string().c_str()), nullptr); });
  EXPECT_STREQ(IMGFailureReason(), "a folder, not a picture");
  // A read that fails (Linux's /proc/self/mem gives EIO at offset 0) is no
  // picture either.
  if (!onWindows) {
    captured([&] { EXPECT_EQ(IMGLoad("/proc/self/mem"), nullptr); });
    EXPECT_STREQ(IMGFailureReason(), "Input/output error");
  }
  captured([&] { EXPECT_EQ(IMGFromASCII("P3\n1 1\n255\n1 2 3"), nullptr); });
  EXPECT_STREQ(IMGFailureReason(), "no text form of an image (\"IMG{\" and \"P3\")");
  // A missing argument has a reason of its own: the last one never lingers.
  const std::pair<std::function<bool()>, const char *> nulls[] = {
      {[] { return IMGParse(nullptr) == nullptr; }, "no picture in memory"},
      {[] { return IMGParseBounded(nullptr, 1) == nullptr; }, "no picture in memory"},
      {[] { return IMGFromASCII(nullptr) == nullptr; }, "no text"},
      {[] { return IMGLoad(nullptr) == nullptr; }, "no file name"},
      {[] { return !IMGSave(nullptr, "x.ppm"); }, "no image or no file name"},
  };
  for (const auto &[call, reason] : nulls) {
    captured([&] { EXPECT_EQ(IMGLoad(missing.c_str()), nullptr); });
    EXPECT_EQ(captured([&] { EXPECT_TRUE(call()); }), "IMG error\n");
    EXPECT_STREQ(IMGFailureReason(), reason);
  }
}

// A device that never ends and a FIFO that nobody writes would hang a reader
// that opened them: both are refused at once. Windows has no FIFOs among its
// files; its device NUL is refused too (why depends on the C library: Wine's
// finds no such file).
TEST_F(ImgFiles, OnlyRegularFilesAreRead) {
  if (onWindows) {
    EXPECT_EQ(captured([&] { EXPECT_EQ(IMGLoad("NUL"), nullptr); }), "IMG error\n");
    GTEST_SKIP() << "Windows has no FIFOs among its files, nor /dev/zero";
  }
  std::string fifo = path("fifo.ppm");
  ASSERT_TRUE(run("mkfifo fifo.ppm"));
  for (const std::string &name : {std::string("/dev/zero"), fifo}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(captured([&] { EXPECT_EQ(IMGLoad(name.c_str()), nullptr); }), "IMG error\n");
    EXPECT_STREQ(IMGFailureReason(), "not a regular file");
  }
  // Through a link the file it names counts.
  std::filesystem::create_symlink("/dev/zero", path("V.ppm"));
  captured([&] { EXPECT_EQ(IMGLoad(path("V.ppm").c_str()), nullptr); });
  EXPECT_STREQ(IMGFailureReason(), "not a regular file");
}

TEST_F(ImgFiles, HeaderEndsWithinItsAllowance) {
  const std::string body = "\x01\x02\x03";
  const std::string longComment = "P6\n#" + std::string(60000, 'x') + "\n1 1 255\n" + body;
  EXPECT_EQ(pixelsOf(load(longComment).get()), (std::vector<uint32_t>{0x010203}));
  EXPECT_EQ(pixelsOf(parseBounded(longComment).get()), (std::vector<uint32_t>{0x010203}));
  const std::string endless = "P6" + std::string(maxHeaderBytes, ' ') + "1 1 255\n" + body;
  const std::string endlessComment = "P6\n#" + std::string(maxHeaderBytes, 'x') + "\n1 1 255\n";
  for (const std::string &bytes :
       {endless, endlessComment, "P5" + std::string(maxHeaderBytes, '0')}) {
    EXPECT_EQ(captured([&] { EXPECT_EQ(load(bytes), nullptr); }), "IMG error\n");
    EXPECT_STREQ(IMGFailureReason(), "no complete header in the first 65536 bytes");
    EXPECT_EQ(captured([&] { EXPECT_EQ(parseBounded(bytes), nullptr); }), "IMG error\n");
    EXPECT_STREQ(IMGFailureReason(), "no complete header in the first 65536 bytes");
  }
}

TEST_F(ImgFiles, FailedSavesSayWhy) {
  ImagePtr image = load(p6Bytes);
  ASSERT_NE(image, nullptr);
  std::string nowhere = path("no/such/folder.ppm");
  EXPECT_EQ(captured([&] { EXPECT_FALSE(IMGSave(image.get(), nowhere.c_str())); }), "IMG error\n");
  EXPECT_STREQ(IMGFailureReason(), "No such file or directory");
  if (onWindows) GTEST_SKIP() << "the rest writes to Linux's /dev/full, which Windows lacks";
  // A full device takes the open and fails the writing.
  EXPECT_EQ(captured([&] { EXPECT_FALSE(IMGSave(image.get(), "/dev/full")); }), "IMG error\n");
  EXPECT_STREQ(IMGFailureReason(), "No space left on device");
}

TEST_F(ImgFiles, PlainBitmapDigitsAreWholeNumbersInFilesAndSinglePixelsInMemory) {
  const std::string spaced = "P1\n2 2\n1 0 0 1\n";
  EXPECT_EQ(pixelsOf(load(spaced).get()), (std::vector<uint32_t>{W, 0, 0, W}));
  EXPECT_EQ(pixelsOf(parseBounded(spaced).get()), (std::vector<uint32_t>{W, 0, 0, W}));

  const std::string packed = "P1\n2 2\n1001\n";
  EXPECT_EQ(pixelsOf(load(packed).get()), (std::vector<uint32_t>{W, 0, 0, 0}));
  EXPECT_EQ(pixelsOf(parseBounded(packed).get()), (std::vector<uint32_t>{W, 0, 0, W}));

  // Only the digits decide, so a run that would wrap a 32-bit value to 0 is white.
  EXPECT_EQ(pixelsOf(load("P1 1 1\n4294967296\n").get()), (std::vector<uint32_t>{W}));
  EXPECT_EQ(pixelsOf(load("P1 1 1\n000\n").get()), (std::vector<uint32_t>{0}));
}

TEST_F(ImgFiles, PlainBitmapWidthIsKeptInMemoryToo) {
  ImagePtr parsed = parseBounded("P1 3 2\n101\n010\n");
  ASSERT_NE(parsed, nullptr);
  EXPECT_EQ(parsed->width, 3);
  EXPECT_EQ(pixelsOf(parsed.get()), (std::vector<uint32_t>{W, 0, W, 0, W, 0}));
}

TEST_F(ImgFiles, PackedBitmapRowsStartOnFreshBytesInFilesAndArePaddedInMemory) {
  // Width 10: two bytes a row, the last six bits of each row are fill.
  const std::string bytes = std::string("P4\n10 2\n") + "\xA5\xC0" + "\x0F\x7F";
  ImagePtr loaded = load(bytes);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->width, 10);
  EXPECT_EQ(pixelsOf(loaded.get()), (std::vector<uint32_t>{W, 0, W, 0, 0, W, 0, W, W, W,  //
                                                           0, 0, 0, 0, W, W, W, W, 0, W}));
  ImagePtr parsed = parseBounded(bytes);
  ASSERT_NE(parsed, nullptr);
  EXPECT_EQ(parsed->width, 16);
  EXPECT_EQ(pixelsOf(parsed.get()),
            (std::vector<uint32_t>{W, 0, W, 0, 0, W, 0, W, W, W, 0, 0, 0, 0, 0, 0,  //
                                   0, 0, 0, 0, W, W, W, W, 0, W, W, W, W, W, W, W}));
}

TEST_F(ImgFiles, HeaderBytesBehindNumbersAreConsumedInFilesAndExaminedAgainInMemory) {
  // In memory the "#" behind the width opens a comment; in a file it ends the
  // width, and the "c" behind it gives a height of 0.
  const std::string comment = "P5 2#c\n1 255\nAB";
  EXPECT_EQ(captured([&] { EXPECT_EQ(load(comment), nullptr); }), "IMG error\n");
  EXPECT_EQ(pixelsOf(parseBounded(comment).get()), (std::vector<uint32_t>{0x414141, 0x424242}));

  // A file drops a stray "x" and goes on to the magic; memory would examine
  // it forever, as no number is left for it to fill, and gives up instead.
  const std::string stray = "2 1 255 x P5 AB";
  EXPECT_EQ(pixelsOf(load(stray).get()), (std::vector<uint32_t>{0x202020, 0x414141}));
  EXPECT_EQ(captured([&] { EXPECT_EQ(parseBounded(stray), nullptr); }), "IMG error\n");
  EXPECT_EQ(captured([&] { EXPECT_EQ(IMGParse(stray.c_str()), nullptr); }), "IMG error\n");
}

TEST_F(ImgFiles, SamplesAreStoredUnscaledAndUnclamped) {
  EXPECT_EQ(pixelsOf(load("P2 2 1 15\n15 -7\n").get()),
            (std::vector<uint32_t>{15 * 0x010101u, 7 * 0x010101u}));
  // A grey above 255 is shifted into place and combined with OR, as it is.
  EXPECT_EQ(pixelsOf(load("P2 1 1 1000\n300\n").get()),
            (std::vector<uint32_t>{300u << 16 | 300u << 8 | 300u}));
  EXPECT_EQ(pixelsOf(parseBounded("P3 1 1 255\n1 2 300\n").get()),
            (std::vector<uint32_t>{0x010200 | 300u}));
  EXPECT_EQ(pixelsOf(load("P5 1 1 15\n\xFF").get()), (std::vector<uint32_t>{0xFFFFFF}));
}

TEST_F(ImgFiles, BodyCutShortLeavesTheMissingPixelsZero) {
  struct Case {
    std::string bytes;
    std::vector<uint32_t> pixels;
  };
  const Case cases[] = {
      {"P6 2 2 255\n\x01\x02\x03\x04", {0x010203, 0x040000, 0, 0}},
      {"P5 3 1 255\n\x09", {0x090909, 0, 0}},
      {"P4 8 2\n\xF0", {W, W, W, W, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"P3 2 1 255\n1 2 3 4", {0x010203, 0x040000}},
      {"P2 3 1 255\n7 8", {0x070707, 0x080808, 0}},
      {"P1 3 1\n1 ", {W, 0, 0}},
      {"P6 1 1 255\n", {0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.bytes);
    ImagePtr loaded;
    ImagePtr parsed;
    EXPECT_EQ(captured([&] {
                loaded = load(c.bytes);
                parsed = parseBounded(c.bytes);
              }),
              "");
    ASSERT_NE(loaded, nullptr);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(pixelsOf(loaded.get()), c.pixels);
    EXPECT_EQ(pixelsOf(parsed.get()), c.pixels);
  }
}

TEST_F(ImgFiles, OversizedOrOverflowingSizesAreRejectedBeforeAllocating) {
  for (const std::string bytes :
       {"P6 16385 16384 255\n", "P6 65536 65536 255\n", "P5 4294967296 4294967296 255\n",
        "P5 99999999999999999999999999 1 255\n", "P4 268435457 1\n", "P5 2147483648 1 255\n"}) {
    expectRejected(bytes);
  }
  // A huge maximum value is read and ignored.
  EXPECT_NE(load("P5 1 1 99999999999999999999999\n\x01"), nullptr);
}

// Reads netpbm's own plain output (no comments; bit-map digits may touch)
// into the pixels this module should produce: a PBM 1 is white here.
std::vector<uint32_t> expectedFromPlain(const std::string &plain) {
  std::istringstream in(plain);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  in >> magic >> width >> height;
  if (magic != "P1") in >> maximum;
  std::vector<uint32_t> pixels;
  for (int i = 0; i < width * height; ++i) {
    if (magic == "P1") {
      char digit;
      in >> digit;
      pixels.push_back(digit == '1' ? W : 0);
    } else if (magic == "P2") {
      uint32_t v;
      in >> v;
      pixels.push_back(v << 16 | v << 8 | v);
    } else {
      uint32_t r, g, b;
      in >> r >> g >> b;
      pixels.push_back(r << 16 | g << 8 | b);
    }
  }
  return pixels;
}

class ImgNetpbmPeer : public ImgFiles {
 protected:
  void SetUp() override {
    ImgFiles::SetUp();
    if (onWindows) GTEST_SKIP() << "netpbm's programs, the peer here, are Linux's";
    if (std::system("command -v pnmtoplainpnm >/dev/null 2>&1") != 0)
      GTEST_FAIL() << "netpbm is needed for these tests (Debian package netpbm)";
  }

  // The picture that command writes, raw, plain and plain with blanks between
  // bit-map digits, must load and parse as its plain text says.
  void expectReadsLikeNetpbm(const std::string &command) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(run(command + " > raw.pnm && pnmnoraw raw.pnm > plain.pnm"));
    ASSERT_TRUE(run("pamfile raw.pnm | grep -q raw"));
    const std::string plain = read("plain.pnm");
    std::vector<uint32_t> expected = expectedFromPlain(plain);
    bool bitmap = plain.rfind("P1", 0) == 0;
    std::vector<std::string> names = {"raw.pnm", "plain.pnm"};
    if (bitmap) {
      ASSERT_TRUE(run("sed '3,$ s/[01]/& /g' plain.pnm > spaced.pnm"));
      names.push_back("spaced.pnm");
    }
    for (const std::string &name : names) {
      SCOPED_TRACE(name);
      ImagePtr parsed = parseBounded(read(name));
      ASSERT_NE(parsed, nullptr);
      // IMGParse pads a raw bit-map's width to whole bytes; compare the real columns.
      std::vector<uint32_t> parsedPixels;
      int width = static_cast<int>(expected.size()) / parsed->height;
      for (int y = 0; y < parsed->height; ++y)
        for (int x = 0; x < width; ++x) parsedPixels.push_back(IMGGetPixel(parsed.get(), x, y));
      EXPECT_EQ(parsedPixels, expected);
      // A file's plain bit-map reads whole numbers: only the spaced one is per pixel.
      if (bitmap && name == "plain.pnm") continue;
      ImagePtr loaded(IMGLoad(path(name).c_str()));
      ASSERT_NE(loaded, nullptr);
      EXPECT_EQ(pixelsOf(loaded.get()), expected);
    }
  }
};

TEST_F(ImgNetpbmPeer, PicturesNetpbmWritesLoadWithTheRightPixels) {
  expectReadsLikeNetpbm("pbmmake -gray 11 3");
  expectReadsLikeNetpbm("pbmmake -gray 16 2");
  expectReadsLikeNetpbm("pgmramp -lr 7 3");
  expectReadsLikeNetpbm("pgmramp -diag -maxval 15 5 4");
  expectReadsLikeNetpbm("ppmpat -g2 -color=rgb:ff/00/80,rgb:10/20/30 9 5");
  expectReadsLikeNetpbm("ppmpat -squig 13 11");
}

TEST_F(ImgNetpbmPeer, BitmapOneLoadsAsWhiteHereThoughNetpbmReadsItAsBlack) {
  ASSERT_TRUE(run("pbmmake -black 3 1 > black.pbm && pbmmake -white 3 1 > white.pbm"));
  // netpbm's "black" writes set bits; this module reads a set bit as white.
  EXPECT_EQ(pixelsOf(ImagePtr(IMGLoad(path("black.pbm").c_str())).get()),
            (std::vector<uint32_t>{W, W, W}));
  EXPECT_EQ(pixelsOf(ImagePtr(IMGLoad(path("white.pbm").c_str())).get()),
            (std::vector<uint32_t>{0, 0, 0}));
}

TEST_F(ImgNetpbmPeer, SavedPicturesAreAcceptedAndRoundTripThroughPng) {
  ImagePtr image = imageOf(7, 5);
  for (int i = 0; i < 35; ++i) image->pixels[i] = static_cast<uint32_t>(i * 0x0A1B2C) & 0xFFFFFF;
  ASSERT_TRUE(IMGSave(image.get(), path("saved.ppm").c_str()));
  ASSERT_TRUE(run("pamfile saved.ppm > info.txt"));
  EXPECT_NE(read("info.txt").find("PPM raw, 7 by 5  maxval 255"), std::string::npos);
  ASSERT_TRUE(run("pnmtopng saved.ppm > saved.png && pngtopnm saved.png > back.ppm"));
  EXPECT_EQ(read("back.ppm"), read("saved.ppm"));
  ImagePtr back(IMGLoad(path("back.ppm").c_str()));
  EXPECT_TRUE(IMGEqual(back.get(), image.get()));
}

std::string textOf(const Image *image) { return HeapPtr<char>(IMGToASCII(image)).get(); }

TEST(ImgTextForm, WritesThreeColumnChannelsSixPixelsALine) {
  EXPECT_EQ(textOf(imageOf(2, 1, {0xFF0000, 0x000102}).get()),
            "IMG{\nP3\n2 1\n255\n255   0   0   0   1   2\n}\n");
  // The top byte is not written.
  EXPECT_EQ(textOf(imageOf(1, 1, {0xAB0A0B0C}).get()), "IMG{\nP3\n1 1\n255\n 10  11  12\n}\n");
  const std::string six = "  1   1   1   1   1   1   1   1   1   1   1   1   1   1   1   1   1   1";
  EXPECT_EQ(textOf(imageOf(6, 1, std::vector<uint32_t>(6, 0x010101)).get()),
            "IMG{\nP3\n6 1\n255\n" + six + "\n}\n");
  EXPECT_EQ(textOf(imageOf(7, 1, std::vector<uint32_t>(7, 0x010101)).get()),
            "IMG{\nP3\n7 1\n255\n" + six + "\n  1   1   1\n}\n");
  EXPECT_EQ(textOf(imageOf(0, 4).get()), "IMG{}");
}

TEST(ImgTextForm, RoundTripGivesAnEqualImage) {
  uint32_t state = 12345;
  for (int32_t w : {1, 5, 6, 13}) {
    for (int32_t h : {1, 2, 7}) {
      ImagePtr image = imageOf(w, h);
      for (int32_t i = 0; i < w * h; ++i)
        image->pixels[i] = (state = state * 1103515245 + 12345) >> 8;
      ImagePtr back(IMGFromASCII(textOf(image.get()).c_str()));
      ASSERT_NE(back, nullptr);
      EXPECT_TRUE(IMGEqual(back.get(), image.get())) << w << " x " << h;
    }
  }
}

TEST(ImgTextForm, ReadsThroughLeadingTextAndStopsWhereTheTextEnds) {
  ImagePtr image(IMGFromASCII("notes IMG and { then P3\n2 1\n255\n1 2 3 4 5 6"));
  EXPECT_EQ(pixelsOf(image.get()), (std::vector<uint32_t>{0x010203, 0x040506}));
  // A cut body leaves the missing pixels 0.
  image.reset(IMGFromASCII("IMG{P3\n2 2\n255\n9 8 7 6"));
  EXPECT_EQ(pixelsOf(image.get()), (std::vector<uint32_t>{0x090807, 0x060000, 0, 0}));
  // A blank before the width is the one separator, so the width reads as 0.
  image.reset(IMGFromASCII("IMG{P3\n 2 1\n255\n"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 0);
}

TEST(ImgTextForm, MissingMarkersOrCutHeaderAreErrors) {
  for (const char *text : {"", "IMG{}", "IMG", "IMG{P3", "{P3\n1 1\n255\n1 2 3", "IMG{P3\n",
                           "IMG{P3\n2 1", "IMG{P3\n2 1\n255"}) {
    SCOPED_TRACE(text);
    ImagePtr image;
    EXPECT_EQ(captured([&] { image.reset(IMGFromASCII(text)); }), "IMG error\n");
    EXPECT_EQ(image, nullptr);
  }
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGFromASCII(nullptr), nullptr); }), "IMG error\n");
}

TEST(ImgTextForm, OversizedTextIsAnError) {
  ImagePtr image;
  EXPECT_EQ(captured([&] { image.reset(IMGFromASCII("IMG{P3\n65536 65536\n255\n")); }),
            "IMG error\n");
  EXPECT_EQ(image, nullptr);
  // An image whose text length would overflow: only its size is looked at.
  uint32_t pixel = 0;
  Image huge{INT32_MAX, INT32_MAX, &pixel};
  char *text = nullptr;
  EXPECT_EQ(captured([&] { text = IMGToASCII(&huge); }), "IMG error\n");
  EXPECT_EQ(text, nullptr);
  EXPECT_STREQ(IMGFailureReason(), "2147483647 x 2147483647 is over the limit of 268435456 pixels");
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGToASCII(nullptr), nullptr); }), "IMG error\n");
  EXPECT_STREQ(IMGFailureReason(), "no image");
}

TEST(ImgFind, GivesTheIndexBehindTheFirstMatch) {
  EXPECT_EQ(IMGFind("ab{c{", "{"), 3);
  EXPECT_EQ(IMGFind("\nP3\n", "P3\n"), 4);
  EXPECT_EQ(IMGFind("IMIIMG", "IMG"), 6);
  EXPECT_EQ(IMGFind("xIMGIMG", "IMG"), 4);
  EXPECT_EQ(IMGFind("no marker", "IMG"), 0);
  EXPECT_EQ(IMGFind("text", ""), 0);
  EXPECT_EQ(IMGFind("", "IMG"), 0);
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGFind(nullptr, "a"), 0); }), "IMG error\n");
  EXPECT_EQ(captured([] { EXPECT_EQ(IMGFind("a", nullptr), 0); }), "IMG error\n");
}

}  // namespace
