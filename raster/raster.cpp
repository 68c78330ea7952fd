// Raster bars: a colour table drawn one entry per image row.
#include "raster/raster.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "img/clip.h"
#include "os/os.h"

[[maybe_unused]] static const char *const rasterIdentification[] = {"RASTER", "20080421",
                                                                    "VORN2112 developers"};

void RASTERError() { std::fputs("RASTER error\n", stdout); }

// calloc(0, ...) may give null, which would read as a failed allocation; an
// empty table is still a present one.
static uint32_t *newTable(int32_t length) {
  size_t n = length > 0 ? static_cast<size_t>(length) : 1;
  return static_cast<uint32_t *>(std::calloc(n, sizeof(uint32_t)));
}

Raster *RASTERNew() {
  auto *raster = static_cast<Raster *>(std::calloc(1, sizeof(Raster)));
  if (raster == nullptr) {
    RASTERError();
    return nullptr;
  }
  raster->length = 256;
  raster->colours = newTable(raster->length);
  if (raster->colours == nullptr) {
    std::free(raster);
    RASTERError();
    return nullptr;
  }
  return raster;
}

void RASTERFree(Raster **raster) {
  if (raster == nullptr || *raster == nullptr) {
    RASTERError();
    return;
  }
  std::free((*raster)->colours);
  std::free(*raster);
  *raster = nullptr;
}

char *RASTERToASCII(const Raster *) { return nullptr; }

Raster *RASTERFromASCII(const char *) { return nullptr; }

bool RASTEREqual(const Raster *a, const Raster *b) {
  if (a == nullptr || b == nullptr || a->colours == nullptr || b->colours == nullptr) {
    RASTERError();
    return false;
  }
  if (a->length != b->length) return false;
  if (a->length <= 0) return true;
  return std::memcmp(a->colours, b->colours, static_cast<size_t>(a->length) * sizeof(uint32_t)) ==
         0;
}

Raster *RASTERCopy(const Raster *source) {
  if (source == nullptr || source->colours == nullptr || source->length < 0) {
    RASTERError();
    return nullptr;
  }
  Raster *copy = RASTERNew();
  if (copy == nullptr) return nullptr;
  RASTERResize(copy, source->length);
  if (copy->colours == nullptr) {
    RASTERFree(&copy);
    RASTERError();
    return nullptr;
  }
  if (copy->length > 0)
    std::memcpy(copy->colours, source->colours,
                static_cast<size_t>(copy->length) * sizeof(uint32_t));
  return copy;
}

void RASTERResize(Raster *raster, int32_t length) {
  if (raster == nullptr || length < 0) {
    RASTERError();
    return;
  }
  std::free(raster->colours);
  raster->colours = newTable(length);
  raster->length = length;
  raster->position = 0;
}

void RASTERClear(Raster *raster) {
  if (raster == nullptr || raster->colours == nullptr) {
    RASTERError();
    return;
  }
  if (raster->length > 0)
    std::memset(raster->colours, 0, static_cast<size_t>(raster->length) * sizeof(uint32_t));
}

Raster *RASTERLoad(const char *name) {
  if (name == nullptr) {
    RASTERError();
    return nullptr;
  }
  std::FILE *file = OSOpenFile(name, "r");
  if (file == nullptr) {
    RASTERError();
    return nullptr;
  }
  // There is no raster file format: an openable file gives an empty table.
  Raster *raster = RASTERNew();
  if (raster != nullptr) RASTERResize(raster, 0);
  std::fclose(file);
  return raster;
}

bool RASTERSave(const Raster *raster, const char *name) {
  if (raster == nullptr || raster->colours == nullptr || name == nullptr || raster->length <= 0) {
    RASTERError();
    return false;
  }
  std::FILE *file = OSOpenFile(name, "w");
  if (file == nullptr) {
    RASTERError();
    return false;
  }
  std::fclose(file);
  return true;
}

// The table entry for row `row`: (position + row) taken into 0 .. length - 1,
// so that a position set out of range by the table's owner still indexes it.
static uint32_t rowColour(const Raster *raster, int32_t row) {
  int64_t k = (static_cast<int64_t>(raster->position) + row) % raster->length;
  if (k < 0) k += raster->length;
  return raster->colours[k];
}

static bool drawable(const Raster *raster, const Image *target) {
  if (raster == nullptr || target == nullptr || raster->colours == nullptr ||
      target->pixels == nullptr) {
    RASTERError();
    return false;
  }
  return raster->length > 0;
}

static void fillSpan(uint32_t *p, int32_t count, uint32_t colour) {
  std::fill(p, p + count, colour);
}

// One channel of the mix: at most (255 * 256) >> 8, computed unsigned so
// nothing carries into the next channel or turns negative.
static uint32_t blendChannel(uint32_t old, uint32_t colour, int shift, uint32_t weight) {
  uint32_t o = (old >> shift) & 0xFF;
  uint32_t c = (colour >> shift) & 0xFF;
  return ((o * (256 - weight) + c * weight) >> 8) << shift;
}

// Mixes colour into count pixels, weight (0 .. 256) being its share of 256.
static void blendSpan(uint32_t *p, int32_t count, uint32_t colour, uint32_t weight) {
  for (int32_t i = 0; i < count; i++)
    p[i] = blendChannel(p[i], colour, 16, weight) | blendChannel(p[i], colour, 8, weight) |
           blendChannel(p[i], colour, 0, weight);
}

// Paints every row of the target with its table entry through span(first
// pixel, count, colour). The rows are the whole image: nothing to clip.
template <typename Span>
static void drawRows(const Raster *raster, Image *target, Span span) {
  if (!drawable(raster, target) || target->width <= 0) return;
  const auto width = static_cast<size_t>(target->width);
  for (int32_t r = 0; r < target->height; r++)
    span(target->pixels + r * width, target->width, rowColour(raster, r));
}

void RASTERDraw(const Raster *raster, Image *target) { drawRows(raster, target, fillSpan); }

void RASTERDrawBlended(const Raster *raster, Image *target, int32_t weight) {
  const auto w = static_cast<uint32_t>(std::clamp(weight, 0, 256));
  drawRows(raster, target,
           [w](uint32_t *p, int32_t count, uint32_t colour) { blendSpan(p, count, colour, w); });
}

void RASTERAdvance(Raster *raster) {
  if (raster == nullptr || raster->colours == nullptr) {
    RASTERError();
    return;
  }
  // position + 1 >= length, written so that it cannot overflow.
  if (raster->position >= raster->length - 1)
    raster->position = 0;
  else
    raster->position++;
}

// Clips the span x0 .. x1 (both included) of row `row` to the image and gives
// the first pixel of the span and its length, or null when nothing of it is
// inside.
static uint32_t *clipSpan(Image *image, int32_t row, int32_t x0, int32_t x1, int32_t *count) {
  if (image == nullptr) {
    IMGError();
    return nullptr;
  }
  const Rect span = IMGClip({x0, row, int64_t{x1} - x0 + 1, 1}, image->width, image->height);
  if (span.w <= 0 || span.h <= 0) return nullptr;
  if (image->pixels == nullptr) {
    IMGError();
    return nullptr;
  }
  *count = static_cast<int32_t>(span.w);
  return image->pixels + span.y * image->width + span.x;
}

void RASTERHLine(Image *image, uint32_t colour, int32_t row, int32_t x0, int32_t x1) {
  int32_t count = 0;
  uint32_t *p = clipSpan(image, row, x0, x1, &count);
  if (p != nullptr) fillSpan(p, count, colour);
}

void RASTERBlendHLine(Image *image, uint32_t colour, int32_t row, int32_t x0, int32_t x1,
                      int32_t weight) {
  int32_t count = 0;
  uint32_t *p = clipSpan(image, row, x0, x1, &count);
  if (p != nullptr) blendSpan(p, count, colour, static_cast<uint32_t>(std::clamp(weight, 0, 256)));
}
