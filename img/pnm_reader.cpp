// The PNM reader: one header machine and one body decoder over a byte source,
// shared by IMGLoad (a file) and IMGParse (memory). The two sources differ in
// a few visible points, each marked where it happens: what ends a header
// number, a stray printable in the header, the P1 digits, and the P4 width
// and byte boundaries.
#include "img/pnm_reader.h"

#include <cerrno>
#include <cstring>

#include "img/failure.h"
#include "os/os.h"

namespace {

// Header flags: the picture's magic, width, height and maximum value seen.
constexpr int magicSeen = 1;
constexpr int widthSeen = 2;
constexpr int heightSeen = 4;
constexpr int maxSeen = 8;
constexpr int numbersSeen = widthSeen | heightSeen | maxSeen;
constexpr int headerDone = magicSeen | numbersSeen;

// The header machine reads at most this many bytes: no real picture needs
// more, and no input can keep it reading.
constexpr size_t headerLimit = maxHeaderBytes;

// Header numbers stop growing here: anything this large is rejected anyway,
// and the cap keeps the arithmetic clear of overflow.
constexpr uint64_t numberCap = uint64_t{1} << 40;

struct PnmHeader {
  int magic = 0;  // 1 .. 6
  int flags = 0;
  int64_t width = 0;
  int64_t height = 0;
};

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isPrintable(int c) { return c >= 0x21 && c <= 0x7E; }
bool isBitmap(int magic) { return magic == 1 || magic == 4; }

// The header's next byte, or -1 at the end of the input or of the header's
// allowance.
int headerGet(PnmSource &source) { return source.offset() < headerLimit ? source.get() : -1; }

// Skips bytes up to the next digit and returns it, or -1 at the end.
int skipToDigit(PnmSource &source) {
  int c = source.get();
  while (c >= 0 && !isDigit(c)) c = source.get();
  return c;
}

// One plain-text body number: skip to a digit, read the run of digits and
// consume the byte behind it. Values wrap as 32-bit numbers; -1 when the
// input ends before a digit.
int64_t nextBodyNumber(PnmSource &source) {
  int c = skipToDigit(source);
  if (c < 0) return -1;
  uint32_t value = 0;
  for (; isDigit(c); c = source.get()) value = value * 10 + static_cast<uint32_t>(c - '0');
  return value;
}

// A header number starting at first. A file consumes the byte that ends it;
// memory leaves that byte to be examined again as the next token, which also
// leaves a stray printable in place.
uint64_t readHeaderNumber(PnmSource &source, int first, bool memory) {
  uint64_t value = 0;
  int c = first;
  if (isDigit(c)) {
    for (; isDigit(c); c = headerGet(source))
      if (value < numberCap) value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (memory && c >= 0) source.unget();
  return value;
}

void storeHeaderNumber(PnmHeader &header, uint64_t value, bool memory) {
  auto number = static_cast<int64_t>(value);
  if (!(header.flags & widthSeen)) {
    // Memory pads a packed bit-map's rows to whole bytes, and the image takes
    // the padded width; this needs the magic before the width.
    if (memory && header.magic == 4) number = (number + 7) / 8 * 8;
    header.width = number;
    header.flags |= widthSeen;
  } else if (!(header.flags & heightSeen)) {
    header.height = number;
    header.flags |= heightSeen;
  } else if (!(header.flags & maxSeen)) {
    header.flags |= maxSeen;  // the maximum value is read and ignored
  }
}

// Runs the header machine to completion. Gives null when the header is
// complete, otherwise the reason: the input ends first, the magic digit is not
// 1 .. 6, the header can never complete, or it runs past its allowance.
const char *readHeader(PnmSource &source, PnmHeader &header, bool memory) {
  static const char *const notPnm = "not a PNM picture";
  while (header.flags != headerDone) {
    int c = headerGet(source);
    while (c >= 0 && !isPrintable(c)) c = headerGet(source);
    if (c == 'P' && !(header.flags & magicSeen)) {
      int digit = headerGet(source);
      if (digit < 0) break;
      if (digit < '1' || digit > '6') return notPnm;
      header.magic = digit - '0';
      header.flags |= magicSeen;
      if (isBitmap(header.magic)) header.flags |= maxSeen;
    } else if (c == '#') {
      while (c >= 0 && c != '\n') c = headerGet(source);
      if (c < 0) break;
    } else if (c >= 0) {
      // In memory a stray printable stays put and yields 0 for each missing
      // number; with all three numbers seen and still no magic it would be
      // examined forever.
      if (memory && !isDigit(c) && header.flags == numbersSeen) return notPnm;
      storeHeaderNumber(header, readHeaderNumber(source, c, memory), memory);
    } else {
      break;
    }
  }
  // Memory left the byte that ended the last number unread: step over it.
  // Without that byte the header is cut short.
  if (header.flags == headerDone && memory) source.get();
  if (header.flags == headerDone && !source.ended) return nullptr;
  if (source.error != 0) return std::strerror(source.error);
  if (!(header.flags & magicSeen)) return notPnm;
  if (source.ended) return "header cut short";
  static char tooLong[64];
  std::snprintf(tooLong, sizeof tooLong, "no complete header in the first %zu bytes", headerLimit);
  return tooLong;
}

constexpr uint32_t white = 0xFFFFFF;

uint32_t grey(uint32_t v) { return v << 16 | v << 8 | v; }

// A file reads whole numbers, one a pixel, and any number but 0 is white
// (judged by its digits, so no wrapped value can turn black). Memory reads
// one digit character a pixel.
void readPlainBits(PnmSource &source, uint32_t *pixels, size_t count, bool memory) {
  for (size_t i = 0; i < count; ++i) {
    int c = skipToDigit(source);
    if (c < 0) return;
    bool set = c != '0';
    if (!memory)
      for (c = source.get(); isDigit(c); c = source.get()) set = set || c != '0';
    pixels[i] = set ? white : 0;
  }
}

void readPlainGreys(PnmSource &source, uint32_t *pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    int64_t v = nextBodyNumber(source);
    if (v < 0) return;
    pixels[i] = grey(static_cast<uint32_t>(v));
  }
}

// A file starts every row on a fresh byte and ignores the fill at the end of
// a row; memory takes a fresh byte at every eighth pixel, so its rows start
// on byte boundaries only when the width was padded.
void readPackedBits(PnmSource &source, Image *image, bool memory) {
  size_t width = static_cast<size_t>(image->width);
  size_t count = width * static_cast<size_t>(image->height);
  size_t column = 0;
  int byte = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t bit = memory ? i % 8 : column % 8;
    if (bit == 0) {
      byte = source.get();
      if (byte < 0) return;
    }
    image->pixels[i] = (byte << bit) & 0x80 ? white : 0;
    if (++column == width) column = 0;
  }
}

void readRawGreys(PnmSource &source, uint32_t *pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    int v = source.get();
    if (v < 0) return;
    pixels[i] = grey(static_cast<uint32_t>(v));
  }
}

// A pixel cut short by the end of the input keeps the samples it has.
void readRawColours(PnmSource &source, uint32_t *pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    uint32_t pixel = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
      int v = source.get();
      if (v < 0) {
        pixels[i] = pixel;
        return;
      }
      pixel |= static_cast<uint32_t>(v) << shift;
    }
    pixels[i] = pixel;
  }
}

void readBody(PnmSource &source, int magic, Image *image, bool memory) {
  size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  if (magic == 1)
    readPlainBits(source, image->pixels, count, memory);
  else if (magic == 2)
    readPlainGreys(source, image->pixels, count);
  else if (magic == 3)
    pnmReadPlainColours(source, image);
  else if (magic == 4)
    readPackedBits(source, image, memory);
  else if (magic == 5)
    readRawGreys(source, image->pixels, count);
  else
    readRawColours(source, image->pixels, count);
}

Image *readPicture(PnmSource &source) {
  bool memory = source.file == nullptr;
  PnmHeader header;
  const char *reason = readHeader(source, header, memory);
  if (reason == nullptr && (header.width == 0 || header.height == 0))
    reason = "width or height is 0";
  if (reason != nullptr) {
    imgFail(reason);
    IMGError();
    return nullptr;
  }
  Image *image = imgMake(header.width, header.height);
  if (image != nullptr) readBody(source, header.magic, image, memory);
  return image;
}

}  // namespace

int PnmSource::refill() {
  if (file != nullptr && !ended) {
    before += size;
    data = buffer;
    pos = 0;
    size = std::fread(buffer, 1, sizeof buffer, file);
    if (size > 0) return data[pos++];
    if (std::ferror(file)) error = errno;
  }
  ended = true;
  return -1;
}

PnmSource pnmMemorySource(const void *data, size_t size) {
  PnmSource source;
  source.file = nullptr;
  source.data = static_cast<const unsigned char *>(data);
  source.size = size;
  source.pos = 0;
  source.before = 0;
  source.ended = false;
  source.error = 0;
  return source;
}

PnmSource pnmFileSource(std::FILE *file) {
  PnmSource source;
  source.file = file;
  source.data = nullptr;  // set by the first refill, which the empty fill forces
  source.size = 0;
  source.pos = 0;
  source.before = 0;
  source.ended = false;
  source.error = 0;
  return source;
}

void pnmReadPlainColours(PnmSource &source, Image *image) {
  size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  for (size_t i = 0; i < count; ++i) {
    uint32_t pixel = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
      int64_t v = nextBodyNumber(source);
      if (v < 0) {
        image->pixels[i] = pixel;
        return;
      }
      pixel |= static_cast<uint32_t>(v) << shift;
    }
    image->pixels[i] = pixel;
  }
}

Image *IMGLoad(const char *path) {
  // Only a regular file is read: a FIFO or a device could block or never end.
  const char *reason = nullptr;
  std::FILE *file = OSOpenRegularFile(path, &reason);
  if (file == nullptr) {
    imgFail(reason);
    IMGError();
    return nullptr;
  }
  PnmSource source = pnmFileSource(file);
  Image *image = readPicture(source);
  std::fclose(file);
  // A body cut short by the end of the file keeps its missing pixels 0; one
  // cut short by a failing read is no picture.
  if (image != nullptr && source.error != 0) {
    imgFail(std::strerror(source.error));
    IMGFree(&image);
    IMGError();
  }
  return image;
}

Image *IMGParse(const void *memory) {
  if (memory == nullptr) {
    imgFail("no picture in memory");
    IMGError();
    return nullptr;
  }
  PnmSource source = pnmMemorySource(memory, SIZE_MAX);
  return readPicture(source);
}

Image *IMGParseBounded(const void *data, size_t size) {
  if (data == nullptr && size > 0) {
    imgFail("no picture in memory");
    IMGError();
    return nullptr;
  }
  PnmSource source = pnmMemorySource(data, size);
  return readPicture(source);
}
