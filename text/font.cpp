// The bitmap font: glyphs cut from a sheet image and blitted transparently.
#include "text/font.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

[[maybe_unused]] static const char *const fontIdentification[] = {"FONT", "20080531",
                                                                  "VORN2112 developers"};

void FONTError() {
#ifdef FONT_REPORT_ERRORS
  std::fputs("FONT Error.\n", stdout);
#endif
}

Font *FONTNew() {
  auto *font = static_cast<Font *>(std::calloc(1, sizeof(Font)));
  if (font == nullptr) {
    FONTError();
    return nullptr;
  }
  font->width = 6;
  font->height = 6;
  return font;
}

void FONTFree(Font **font) {
  if (font == nullptr || *font == nullptr) {
    FONTError();
    return;
  }
  if ((*font)->sheet != nullptr) IMGFree(&(*font)->sheet);
  std::free(*font);
  *font = nullptr;
}

static bool fitsInt32(int64_t v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

void FONTDrawChar(const Font *font, int32_t code, int32_t x, int32_t y, Image *target) {
  if (font == nullptr || font->sheet == nullptr) {
    FONTError();
    return;
  }
  const int32_t sheetWidth = font->sheet->width;
  // Empty glyphs or an empty sheet have nothing to draw and nothing to divide by.
  if (font->width <= 0 || font->height <= 0 || sheetWidth <= 0) {
    FONTError();
    return;
  }
  // Taken wide so that no code overflows; a glyph whose place does not fit in
  // 32 bits lies far outside the sheet.
  const int64_t t = static_cast<int64_t>(code) * font->width;
  const int64_t sx = t % sheetWidth;
  const int64_t sy = t / sheetWidth * font->height;
  if (!fitsInt32(sy)) return;
  IMGBlit(font->sheet, target, static_cast<int32_t>(sx), static_cast<int32_t>(sy), x, y,
          font->width, font->height);
}

// The glyph position i widths right of x, or false once it cannot be expressed
// (then it lies right of every image).
static bool glyphColumn(const Font *font, int32_t x, int64_t i, int32_t *column) {
  const int64_t c = x + i * font->width;
  if (!fitsInt32(c)) return false;
  *column = static_cast<int32_t>(c);
  return true;
}

// Draws the `digits` hexadecimal digits of value, most significant first; the
// 8-, 16- and 32-bit forms are this with 2, 4 and 8 digits.
static void drawHex(const Font *font, uint32_t value, int digits, int32_t x, int32_t y,
                    Image *target) {
  if (font == nullptr) {
    FONTError();
    return;
  }
  for (int i = 0; i < digits; i++) {
    const auto n = static_cast<int32_t>((value >> (4 * (digits - 1 - i))) & 0xF);
    int32_t column = 0;
    if (!glyphColumn(font, x, i, &column)) return;
    FONTDrawChar(font, n < 10 ? n + 0x30 : n + 0x37, column, y, target);
  }
}

void FONTDrawHex8(const Font *font, uint8_t value, int32_t x, int32_t y, Image *target) {
  drawHex(font, value, 2, x, y, target);
}

void FONTDrawHex16(const Font *font, uint16_t value, int32_t x, int32_t y, Image *target) {
  drawHex(font, value, 4, x, y, target);
}

void FONTDrawHex32(const Font *font, uint32_t value, int32_t x, int32_t y, Image *target) {
  drawHex(font, value, 8, x, y, target);
}

void FONTDrawLine(const Font *font, const char *text, int32_t x, int32_t y, Image *target) {
  if (font == nullptr || text == nullptr) {
    FONTError();
    return;
  }
  for (int64_t i = 0; text[i] != '\0' && text[i] != '\n'; i++) {
    int32_t column = 0;
    if (!glyphColumn(font, x, i, &column)) return;
    // Character codes are signed bytes whatever the signedness of char.
    FONTDrawChar(font, static_cast<int8_t>(text[i]), column, y, target);
  }
}
