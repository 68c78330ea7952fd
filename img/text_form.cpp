// The text form of an image: the plain colour PNM layout (P3) inside
// "IMG{" ... "}", written by IMGToASCII and read back by IMGFromASCII through
// the PNM reader's plain-text body decoder.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "img/failure.h"
#include "img/pnm_reader.h"

namespace {

constexpr size_t charsPerPixel = 12;  // "%3d " for red, green and blue
constexpr size_t pixelsPerLine = 6;
constexpr char tail[] = "}\n";
static_assert(maxImagePixels * charsPerPixel + 64 <= SIZE_MAX, "a text's length fits size_t");

// The text just behind the first occurrence of pattern, or null.
const char *behind(const char *text, const char *pattern) {
  if (*pattern == '\0') return nullptr;
  const char *found = std::strstr(text, pattern);
  return found != nullptr ? found + std::strlen(pattern) : nullptr;
}

void writeChannel(char *out, uint32_t value) {
  out[0] = value >= 100 ? static_cast<char>('0' + value / 100) : ' ';
  out[1] = value >= 10 ? static_cast<char>('0' + value / 10 % 10) : ' ';
  out[2] = static_cast<char>('0' + value % 10);
  out[3] = ' ';
}

// A run of digits, saturating well above any accepted size; the byte behind
// it is consumed. False when the text ends before that byte.
bool readSize(PnmSource &source, int64_t &value) {
  value = 0;
  int c = 0;
  while ((c = source.get()) >= '0' && c <= '9')
    if (value < (int64_t{1} << 40)) value = value * 10 + (c - '0');
  return c >= 0;
}

}  // namespace

char *IMGToASCII(const Image *image) {
  if (image == nullptr || image->pixels == nullptr || image->width < 0 || image->height < 0) {
    imgFail("no image");
    IMGError();
    return nullptr;
  }
  // The text is about twelve bytes a pixel: within the size limit, its length
  // fits size_t on every word size.
  if (!imgSizeFits(image->width, image->height)) return nullptr;
  size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  if (count == 0) {
    char *text = static_cast<char *>(std::calloc(6, 1));
    if (text == nullptr) {
      imgFail("out of memory");
      IMGError();
      return nullptr;
    }
    std::memcpy(text, "IMG{}", 6);
    return text;
  }
  char head[48];
  int headLength =
      std::snprintf(head, sizeof head, "IMG{\nP3\n%d %d\n255\n", image->width, image->height);
  size_t fixed = static_cast<size_t>(headLength) + sizeof tail;
  char *text = static_cast<char *>(std::calloc(fixed + count * charsPerPixel, 1));
  if (text == nullptr) {
    imgFail("out of memory");
    IMGError();
    return nullptr;
  }
  std::memcpy(text, head, static_cast<size_t>(headLength));
  char *out = text + headLength;
  for (size_t i = 0; i < count; ++i, out += charsPerPixel) {
    uint32_t pixel = image->pixels[i];
    writeChannel(out, pixel >> 16 & 0xFF);
    writeChannel(out + 4, pixel >> 8 & 0xFF);
    writeChannel(out + 8, pixel & 0xFF);
    if ((i + 1) % pixelsPerLine == 0) out[charsPerPixel - 1] = '\n';
  }
  out[-1] = '\n';
  std::memcpy(out, tail, sizeof tail);
  return text;
}

Image *IMGFromASCII(const char *text) {
  if (text == nullptr) {
    imgFail("no text");
    IMGError();
    return nullptr;
  }
  const char *at = behind(text, "IMG");
  if (at != nullptr) at = behind(at, "{");
  if (at != nullptr) at = behind(at, "P3\n");
  if (at == nullptr) {
    imgFail("no text form of an image (\"IMG{\" and \"P3\")");
    IMGError();
    return nullptr;
  }
  // The sizes stand directly behind "P3\n", each followed by one separator;
  // the maximum value's digits are skipped. A text that ends in there has no
  // complete header.
  PnmSource source = pnmMemorySource(at, std::strlen(at));
  int64_t width, height, maximum;
  if (!readSize(source, width) || !readSize(source, height) || !readSize(source, maximum)) {
    imgFail("header cut short");
    IMGError();
    return nullptr;
  }
  Image *image = imgMake(width, height);
  if (image != nullptr) pnmReadPlainColours(source, image);
  return image;
}

int32_t IMGFind(const char *text, const char *pattern) {
  if (text == nullptr || pattern == nullptr) {
    IMGError();
    return 0;
  }
  const char *end = behind(text, pattern);
  if (end == nullptr) return 0;
  if (end - text > INT32_MAX) {
    IMGError();
    return 0;
  }
  return static_cast<int32_t>(end - text);
}
