// RASTER: colour bars. A table of colours with a start position; drawing it
// fills row r of an image with entry (position + r) mod length, and
// RASTERAdvance rolls the bars up by one row.
//
// The record owns its table when the module allocated it (New, Copy, Resize,
// Load). A caller may build a Raster over a table of its own and draw and
// advance it, as long as it never passes it to RASTERFree or RASTERResize.
// Errors print "RASTER error\n"; the two line primitives report a null image
// through IMGError. Weights are clamped to 0 .. 256; a table of length 0
// draws nothing; a position out of range is taken modulo the length. A
// negative length given to RASTERResize, and a raster without a table given
// to RASTERCopy or RASTEREqual, are reported and change nothing.
#pragma once

#include <cstdint>

#include "img/img.h"

struct Raster {
  int32_t length;     // number of colours, also the period of position
  int32_t position;   // table entry drawn on an image's first row
  uint32_t *colours;  // length colours 0x00RRGGBB
};

Raster *RASTERNew();  // 256 black entries, position 0; or null
void RASTERFree(Raster **raster);
char *RASTERToASCII(const Raster *raster);                // always null: no text form
Raster *RASTERFromASCII(const char *text);                // always null
bool RASTEREqual(const Raster *a, const Raster *b);       // same length and colours
Raster *RASTERCopy(const Raster *source);                 // same colours, position 0
void RASTERResize(Raster *raster, int32_t length);        // new black table, position 0
void RASTERClear(Raster *raster);                         // every entry black
Raster *RASTERLoad(const char *name);                     // opens the file, reads nothing
bool RASTERSave(const Raster *raster, const char *name);  // writes an empty file
void RASTERDraw(const Raster *raster, Image *target);
void RASTERDrawBlended(const Raster *raster, Image *target, int32_t weight);  // weight / 256
void RASTERAdvance(Raster *raster);
void RASTERError();
void RASTERBlendHLine(Image *image, uint32_t colour, int32_t row, int32_t x0, int32_t x1,
                      int32_t weight);
void RASTERHLine(Image *image, uint32_t colour, int32_t row, int32_t x0, int32_t x1);
