// FONT: a fixed-size bitmap font drawn from a glyph-sheet image. The glyph
// of code k is the width x height rectangle of the sheet at column
// (k * width) % sheet width, row ((k * width) / sheet width) * height: the
// glyphs stand side by side in rows as wide as the sheet. Drawing a glyph is a
// transparent IMGBlit, so sheet pixels of value 0 leave the target unchanged.
//
// The record is open: set `width`, `height` and `sheet` after FONTNew. The
// font owns its sheet and FONTFree releases it. Texts are signed 8-bit codes:
// bytes 0x80 .. 0xFF draw nothing but take their glyph's width.
// Errors go to FONTError, silent unless FONT_REPORT_ERRORS is defined: a null
// font or text, a font without a sheet, and glyphs of width or height 0 or
// less or a sheet of width 0 or less (which draw nothing). A null target is
// reported by IMGBlit ("IMG error\n"). Codes outside the sheet draw nothing.
#pragma once

#include <cstdint>

#include "img/img.h"

struct Font {
  int32_t width;   // glyph width and advance, in pixels
  int32_t height;  // glyph height, in pixels
  Image *sheet;    // owned glyph sheet, or null
};

Font *FONTNew();  // 6 x 6 glyphs, no sheet; or null
void FONTFree(Font **font);
void FONTDrawChar(const Font *font, int32_t code, int32_t x, int32_t y, Image *target);
void FONTDrawHex8(const Font *font, uint8_t value, int32_t x, int32_t y, Image *target);
void FONTDrawHex16(const Font *font, uint16_t value, int32_t x, int32_t y, Image *target);
void FONTDrawHex32(const Font *font, uint32_t value, int32_t x, int32_t y, Image *target);
// Draws up to the first line feed or the terminating NUL, whichever comes first.
void FONTDrawLine(const Font *font, const char *text, int32_t x, int32_t y, Image *target);
void FONTError();
