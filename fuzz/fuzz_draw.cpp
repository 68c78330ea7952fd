// Fuzzes the drawing paths that take arbitrary text and arguments: the blit,
// the scaling and the rotation, a font's characters and lines, a scroller's
// draw and advance, and the demo's effects that run through the vector layer
// (the positioned blits, the mask, the dissolve), over small random images.
// Rows up to 40 pixels run eight at a time and end in a tail of one-by-one
// pixels, at every alignment. Every result is checked pixel by pixel against
// a plain model written from the contract, and any difference aborts. Coordinates come either from
// a small range around the images or from the whole 32-bit range, so that clipping and overflow at
// the far ends are tried as often as ordinary placements.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/effects.h"
#include "app/random.h"
#include "img/img.h"
#include "img/sine.h"
#include "text/font.h"
#include "text/scroll.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

int32_t coordinate(FuzzedDataProvider &in) {
  if (in.ConsumeBool()) return in.ConsumeIntegralInRange<int32_t>(-40, 40);
  return in.ConsumeIntegral<int32_t>();
}

// A w x h image of which about a quarter of the pixels are 0, the transparent
// value; the others carry distinct-looking values, the top byte included.
Image *randomImage(FuzzedDataProvider &in, int32_t maxSide) {
  auto w = in.ConsumeIntegralInRange<int32_t>(0, maxSide);
  auto h = in.ConsumeIntegralInRange<int32_t>(0, maxSide);
  Image *image = IMGMake(w, h);
  check(image != nullptr);
  for (int64_t i = 0; i < int64_t{w} * h; ++i) {
    uint32_t value = in.ConsumeIntegral<uint32_t>();
    image->pixels[i] = (value & 3) == 0 ? 0 : value;
  }
  return image;
}

uint32_t pixelAt(const Image *image, int64_t x, int64_t y) {
  return x >= 0 && x < image->width && y >= 0 && y < image->height
             ? image->pixels[y * image->width + x]
             : 0;
}

std::vector<uint32_t> pixelsOf(const Image *image) {
  return {image->pixels, image->pixels + int64_t{image->width} * image->height};
}

// Model of a transparent blit: destination pixel (x, y) takes source pixel
// (sx + x - dx, sy + y - dy) when that lies in the w x h rectangle, inside the
// source, and is not 0.
void blitModel(const Image *source, std::vector<uint32_t> &destination, int32_t destinationWidth,
               int64_t sx, int64_t sy, int64_t dx, int64_t dy, int64_t w, int64_t h) {
  const int64_t rows = destinationWidth == 0 ? 0 : destination.size() / destinationWidth;
  for (int64_t y = 0; y < rows; ++y)
    for (int64_t x = 0; x < destinationWidth; ++x) {
      int64_t i = x - dx, j = y - dy;
      if (i < 0 || i >= w || j < 0 || j >= h) continue;
      uint32_t p = pixelAt(source, sx + i, sy + j);
      if (p != 0) destination[y * destinationWidth + x] = p;
    }
}

void fuzzBlit(FuzzedDataProvider &in) {
  Image *source = randomImage(in, 40);
  Image *destination = randomImage(in, 40);
  int32_t sx = coordinate(in), sy = coordinate(in), dx = coordinate(in), dy = coordinate(in);
  int32_t w = coordinate(in), h = coordinate(in);
  std::vector<uint32_t> expected = pixelsOf(destination);
  blitModel(source, expected, destination->width, sx, sy, dx, dy, w, h);
  IMGBlit(source, destination, sx, sy, dx, dy, w, h);
  check(pixelsOf(destination) == expected);
  IMGFree(&source);
  IMGFree(&destination);
}

// A blit of an image onto itself reads what it has written: the model walks
// the rectangle in the defined order, rows from the top and each from the
// left, on a copy of its own.
void fuzzSelfBlit(FuzzedDataProvider &in) {
  Image *image = randomImage(in, 40);
  std::vector<uint32_t> expected = pixelsOf(image);
  // Rows overlap only near the source: the destination lies a few pixels
  // and at most a row away.
  const auto sx = in.ConsumeIntegralInRange<int32_t>(-44, 44);
  const auto sy = in.ConsumeIntegralInRange<int32_t>(-44, 44);
  const auto w = in.ConsumeIntegralInRange<int32_t>(-4, 44);
  const auto h = in.ConsumeIntegralInRange<int32_t>(-4, 44);
  const int32_t dx = sx + in.ConsumeIntegralInRange<int32_t>(-9, 9);
  const int32_t dy = sy + in.ConsumeIntegralInRange<int32_t>(-1, 1);
  const auto inside = [image](int64_t x, int64_t y) {
    return x >= 0 && x < image->width && y >= 0 && y < image->height;
  };
  for (int64_t j = 0; j < h; ++j)
    for (int64_t i = 0; i < w; ++i)
      if (inside(sx + i, sy + j) && inside(dx + i, dy + j)) {
        const uint32_t p = expected[(sy + j) * image->width + sx + i];
        if (p != 0) expected[(dy + j) * image->width + dx + i] = p;
      }
  IMGBlit(image, image, sx, sy, dx, dy, w, h);
  check(pixelsOf(image) == expected);
  IMGFree(&image);
}

// The additive and the averaging blit, the whole source placed at (x, y),
// onto another image or onto itself: the model walks rows from the bottom and
// each from the right, reading what it has written.
void fuzzPositionedBlit(FuzzedDataProvider &in) {
  const bool onto = in.ConsumeBool(), adds = in.ConsumeBool();
  Image *source = randomImage(in, 40);
  Image *destination = onto ? source : randomImage(in, 40);
  // Onto itself, rows overlap only a few pixels and at most a row away.
  const int32_t x = in.ConsumeIntegralInRange<int32_t>(onto ? -9 : -44, onto ? 9 : 44);
  const int32_t y = in.ConsumeIntegralInRange<int32_t>(onto ? -1 : -44, onto ? 1 : 44);
  std::vector<uint32_t> expected = pixelsOf(destination);
  const int64_t dw = destination->width, dh = destination->height;
  for (int64_t j = source->height - 1; j >= 0; --j)
    for (int64_t i = source->width - 1; i >= 0; --i) {
      if (x + i < 0 || x + i >= dw || y + j < 0 || y + j >= dh) continue;
      const uint32_t s = onto ? expected[j * dw + i] : source->pixels[j * source->width + i];
      uint32_t &d = expected[(y + j) * dw + x + i];
      if (adds)
        d += s;
      else if (s != 0)
        d = ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
    }
  (adds ? VORN2112BlitAdd : VORN2112BlitAverage)(source, destination, x, y);
  check(pixelsOf(destination) == expected);
  if (!onto) IMGFree(&destination);
  IMGFree(&source);
}

// The mask and its target as two views of one pixel array, apart or sharing
// pixels: the model ANDs from the last index down.
void fuzzMask(FuzzedDataProvider &in) {
  std::vector<uint32_t> pixels(200);
  for (uint32_t &p : pixels) p = in.ConsumeIntegral<uint32_t>();
  const auto n = in.ConsumeIntegralInRange<int32_t>(0, 90);
  const auto m = in.ConsumeIntegralInRange<int32_t>(0, 100);
  const auto t = in.ConsumeIntegralInRange<int32_t>(0, 100);
  std::vector<uint32_t> expected = pixels;
  for (int32_t i = n - 1; i >= 0; --i) expected[t + i] &= expected[m + i];
  Image mask{n, 1, pixels.data() + m}, target{n, 1, pixels.data() + t};
  VORN2112Mask(&mask, &target);
  check(pixels == expected);
}

// The dissolve from any state of the generator: the model draws x1, y1, x2,
// y2 one by one, divides for real and swaps a pair when both pixels are set;
// the pixels and the state after the last draw must agree.
void fuzzDissolve(FuzzedDataProvider &in) {
  Image *image = randomImage(in, 40);
  const auto attempts = in.ConsumeIntegralInRange<int32_t>(-1, 700);
  uint32_t state = in.ConsumeIntegral<uint32_t>();
  VORN2112RandomSetState(state);
  std::vector<uint32_t> expected = pixelsOf(image);
  const int64_t w = image->width, h = image->height;
  const auto draw = [&state] {
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFF;
  };
  for (int32_t n = 0; w > 0 && h > 0 && n < attempts; ++n) {
    const int64_t x1 = draw() % w, y1 = draw() % h, x2 = draw() % w, y2 = draw() % h;
    uint32_t &a = expected[y1 * w + x1], &b = expected[y2 * w + x2];
    if (a != 0 && b != 0) std::swap(a, b);
  }
  VORN2112Dissolve(image, attempts);
  check(pixelsOf(image) == expected && VORN2112RandomState() == state);
  IMGFree(&image);
}

int64_t ceilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }

// Model of the nearest-neighbour scaling: the column and row of the source
// that each result pixel shows, case by case.
void fuzzScale(FuzzedDataProvider &in) {
  Image *source = randomImage(in, 10);
  auto W = in.ConsumeIntegralInRange<int32_t>(0, 24);
  auto H = in.ConsumeIntegralInRange<int32_t>(0, 24);
  Image *result = IMGScale(source, W, H);
  check(result != nullptr && result->width == W && result->height == H);
  const int64_t w = source->width, h = source->height;
  for (int64_t y = 0; y < H; ++y)
    for (int64_t x = 0; x < W; ++x) {
      uint32_t expected = 0;
      if (w > 0 && h > 0) {
        int64_t mx = W >= w ? x * w / W : ceilDiv((x + 1) * w, W) - 1;
        int64_t my = H >= h ? y * h / H : W < w ? ceilDiv((y + 1) * h, H) - 1 : ceilDiv(y * h, H);
        expected = pixelAt(source, mx, my);
      }
      check(result->pixels[y * W + x] == expected);
    }
  IMGFree(&result);
  IMGFree(&source);
}

// Model of the rotation: each result pixel shows one source pixel, found by
// turning its offset from the canvas's centre by the angle's sine and cosine
// with both signs turned.
void fuzzRotate(FuzzedDataProvider &in) {
  Image *source = randomImage(in, 10);
  int32_t angle = coordinate(in);
  Image *result = IMGRotate(source, angle);
  check(result != nullptr);
  check(result->width == (source->width * 92667 >> 16));
  check(result->height == (source->height * 92667 >> 16));
  const int64_t turn = ((int64_t{angle} % 1024) + 1024) % 1024;
  const int64_t sn = SineTable[(1024 - turn) % 1024];
  const int64_t cs = SineTable[(1024 - (turn + 256) % 1024) % 1024];
  for (int64_t y = 0; y < result->height; ++y)
    for (int64_t x = 0; x < result->width; ++x) {
      int64_t ex = x - result->width / 2, ey = y - result->height / 2;
      int64_t u = ((ex * cs) >> 15) - ((ey * sn) >> 15);
      int64_t v = ((ex * sn) >> 15) + ((ey * cs) >> 15);
      check(result->pixels[y * result->width + x] ==
            pixelAt(source, source->width / 2 + u, source->height / 2 + v));
    }
  IMGFree(&result);
  IMGFree(&source);
}

// A font with a random sheet and glyph size, sometimes empty or negative.
Font *randomFont(FuzzedDataProvider &in) {
  Font *font = FONTNew();
  check(font != nullptr);
  font->width = in.ConsumeIntegralInRange<int32_t>(-2, 9);
  font->height = in.ConsumeIntegralInRange<int32_t>(-2, 9);
  font->sheet = randomImage(in, 24);
  return font;
}

bool fontDraws(const Font *font) {
  return font->width > 0 && font->height > 0 && font->sheet->width > 0;
}

// Model of one glyph: code k is the width x height cell at column
// (k * width) % sheet width, row (k * width) / sheet width * height of the
// sheet; negative codes draw nothing.
void glyphModel(const Font *font, int64_t code, int64_t x, int64_t y, std::vector<uint32_t> &target,
                int32_t targetWidth) {
  if (!fontDraws(font) || code < 0) return;
  const int64_t t = code * font->width;
  blitModel(font->sheet, target, targetWidth, t % font->sheet->width,
            t / font->sheet->width * font->height, x, y, font->width, font->height);
}

void fuzzFont(FuzzedDataProvider &in) {
  Font *font = randomFont(in);
  Image *target = randomImage(in, 24);
  std::vector<uint32_t> expected = pixelsOf(target);
  int32_t x = coordinate(in), y = coordinate(in);
  if (in.ConsumeBool()) {
    int32_t code = in.ConsumeIntegral<int32_t>();
    FONTDrawChar(font, code, x, y, target);
    glyphModel(font, code, x, y, expected, target->width);
  } else {
    std::string text = in.ConsumeRandomLengthString(40);
    FONTDrawLine(font, text.c_str(), x, y, target);
    for (size_t i = 0; i < text.size() && text[i] != '\n' && text[i] != '\0'; ++i)
      glyphModel(font, static_cast<signed char>(text[i]), x + int64_t(i) * font->width, y, expected,
                 target->width);
  }
  check(pixelsOf(target) == expected);
  IMGFree(&target);
  FONTFree(&font);
}

// Model of a scroller's frame: glyph i of the width / font width + 1 drawn
// stands at x - offset + i * font width and shows character
// (position + i) mod length of the text.
void fuzzScroller(FuzzedDataProvider &in) {
  Font *font = randomFont(in);
  Image *target = randomImage(in, 24);
  std::string text = in.ConsumeRandomLengthString(20);
  Scroller *scroller = SCROLLNew();
  check(scroller != nullptr);
  SCROLLSet(scroller, text.c_str(), font, target);
  const auto length =
      static_cast<int64_t>(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  scroller->x = coordinate(in);
  scroller->y = coordinate(in);
  scroller->width =
      in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(0, 60) : in.ConsumeIntegral<int32_t>();
  scroller->speed = coordinate(in);
  if (font->width > 0 && length > 0) {
    scroller->offset = in.ConsumeIntegralInRange<int32_t>(0, font->width);
    CURSORSetPosition(scroller->cursor, in.ConsumeIntegral<int32_t>());
  }
  const int32_t position = scroller->cursor->position;

  std::vector<uint32_t> expected = pixelsOf(target);
  if (font->width > 0 && length > 0) {
    const int64_t fw = font->width;
    const int64_t left = int64_t{scroller->x} - scroller->offset;
    const int64_t count = scroller->width / fw + 1;
    // Only the glyphs whose cells overlap the target's columns matter.
    int64_t first = left >= 0 ? 0 : -left / fw;
    for (int64_t i = first; i < count && left + i * fw < target->width; ++i) {
      auto code = static_cast<signed char>(text[(position + i) % length]);
      glyphModel(font, code, left + i * fw, scroller->y, expected, target->width);
    }
  }
  SCROLLDraw(scroller);
  check(pixelsOf(target) == expected);
  check(scroller->cursor->position == position);

  // An advance moves the text's pixel position by the speed, modulo the
  // text's length in pixels, and leaves the offset within one glyph.
  if (font->width > 0 && length > 0) {
    const int64_t fw = font->width, span = length * fw;
    const int64_t before = position * fw + scroller->offset;
    SCROLLAdvance(scroller);
    const int64_t after = int64_t{scroller->cursor->position} * fw + scroller->offset;
    check(scroller->offset >= 0 && scroller->offset <= fw);
    check((((after - before - scroller->speed) % span) + span) % span == 0);
  }
  SCROLLFree(&scroller);
  IMGFree(&target);
  FONTFree(&font);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 8)) {
    case 0:
      fuzzBlit(in);
      break;
    case 1:
      fuzzScale(in);
      break;
    case 2:
      fuzzRotate(in);
      break;
    case 3:
      fuzzFont(in);
      break;
    case 4:
      fuzzSelfBlit(in);
      break;
    case 5:
      fuzzPositionedBlit(in);
      break;
    case 6:
      fuzzMask(in);
      break;
    case 7:
      fuzzDissolve(in);
      break;
    default:
      fuzzScroller(in);
      break;
  }
  return 0;
}
