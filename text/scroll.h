// SCROLL: one line of text moving horizontally across a strip of an image,
// pixel by pixel, repeated endlessly. Per frame: clear the target, SCROLLDraw,
// SCROLLAdvance.
//
// The record is open: write `x`, `y`, `width` and `speed` directly after
// SCROLLSet. The scroller owns its cursor; it borrows text, target and a font
// given by SCROLLSet, which the caller keeps alive and unchanged. The default
// font that SCROLLNew makes is the scroller's own and is released when
// SCROLLSet replaces it or at SCROLLFree; as only SCROLLSet gives a target,
// a scroller without a target still holds its default font. (Handing that
// default font back to SCROLLSet makes it the caller's.)
// Errors go to SCROLLError, silent unless SCROLL_REPORT_ERRORS is defined.
// An empty text neither draws nor moves; a font of width 0 or less is reported
// and neither draws nor moves. Any speed and position is safe: carries are
// taken modulo the text's length.
#pragma once

#include <cstdint>

#include "img/img.h"
#include "text/cursor.h"
#include "text/font.h"

struct Scroller {
  int32_t x;         // target column where the visible text begins
  int32_t y;         // target row of the top of the glyphs
  int32_t width;     // visible width in pixels: width / font width + 1 glyphs
  int32_t speed;     // pixels per SCROLLAdvance; positive moves the text left
  int32_t offset;    // pixels of the first character left of x
  const char *text;  // borrowed NUL-terminated text
  Cursor *cursor;    // owned; position = index of the first character drawn
  Font *font;        // the font drawn with
  Image *target;     // borrowed image drawn into; null until the first SCROLLSet
};

Scroller *SCROLLNew();  // default text and font, no target; or null
void SCROLLFree(Scroller **scroller);
void SCROLLSet(Scroller *scroller, const char *text, Font *font, Image *target);
void SCROLLDraw(Scroller *scroller);
void SCROLLAdvance(Scroller *scroller);
int32_t SCROLLLength(const char *text);  // bytes before the NUL
void SCROLLError();
