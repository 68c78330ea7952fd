// Nearest-neighbour scaling driven by run tables: no division per pixel, and
// repeated rows are copied whole.
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "img/img.h"

int32_t *IMGRunTable(int32_t a, int32_t b) {
  int64_t absA = a < 0 ? -int64_t{a} : a;
  int64_t absB = b < 0 ? -int64_t{b} : b;
  int64_t big = absA > absB ? absA : absB;
  int64_t small = absA > absB ? absB : absA;
  // Every entry, the remainder big + 1 of an empty table included, must be a
  // 32-bit count.
  if (big > INT32_MAX || (small == 0 && big == INT32_MAX)) {
    IMGError();
    return nullptr;
  }
  auto *table =
      static_cast<int32_t *>(std::calloc(static_cast<size_t>(small) + 1, sizeof(int32_t)));
  if (table == nullptr) {
    IMGError();
    return nullptr;
  }
  // With nothing to spread over, the remainder entry takes everything.
  if (small == 0) {
    table[0] = static_cast<int32_t>(big + 1);
    return table;
  }
  // Bresenham's error term spreads big steps over small entries as evenly as
  // whole numbers allow.
  int64_t error = big;
  int64_t k = 0;
  for (int64_t i = 0; i <= big; ++i) {
    ++table[k];
    error -= small;
    if (error <= 0) {
      error += big;
      ++k;
    }
  }
  return table;
}

namespace {

// The four traversals below each fill a W x H result from a source with
// pixels, using the column table X and the row table Y. On a growing axis an
// entry is how many result pixels one source pixel fills; on a shrinking axis
// it is how many source pixels one result pixel moves on. Indexes are signed:
// the backward traversals finish one step before the first pixel.
struct ScaleJob {
  const uint32_t *source;
  ptrdiff_t sourceWidth, sourceHeight;
  uint32_t *result;
  ptrdiff_t width, height;
  const int32_t *columns;
  const int32_t *rows;
};

void copyRow(const ScaleJob &job, ptrdiff_t to, ptrdiff_t from) {
  std::memcpy(job.result + to, job.result + from,
              static_cast<size_t>(job.width) * sizeof(uint32_t));
}

// Wider (or as wide) and higher (or as high): each source row becomes its
// first result row, then that row is repeated downward.
void growBoth(const ScaleJob &job) {
  ptrdiff_t in = 0, out = 0;
  for (ptrdiff_t y = 0; y < job.sourceHeight; ++y) {
    for (ptrdiff_t x = 0; x < job.sourceWidth; ++x, ++in)
      for (int32_t run = job.columns[x]; run > 0; --run) job.result[out++] = job.source[in];
    for (int32_t copy = job.rows[y]; copy > 1; --copy, out += job.width)
      copyRow(job, out, out - job.width);
  }
}

// Narrower and lower: backward from the last pixels, so each result pixel
// takes the last source pixel of its span.
void shrinkBoth(const ScaleJob &job) {
  ptrdiff_t in = job.sourceWidth * job.sourceHeight - 1;
  ptrdiff_t out = job.width * job.height - 1;
  for (ptrdiff_t y = job.height - 1; y >= 0; --y) {
    for (ptrdiff_t x = job.width - 1; x >= 0; --x) {
      job.result[out--] = job.source[in];
      in -= job.columns[x];
    }
    in -= (job.rows[y] - 1) * job.sourceWidth;
  }
}

// Wider (or as wide) and lower: forward, each result row taking the first
// source row of its span.
void widenLower(const ScaleJob &job) {
  ptrdiff_t in = 0, out = 0;
  for (ptrdiff_t y = 0; y < job.height; ++y) {
    for (ptrdiff_t x = 0; x < job.sourceWidth; ++x, ++in)
      for (int32_t run = job.columns[x]; run > 0; --run) job.result[out++] = job.source[in];
    in += (job.rows[y] - 1) * job.sourceWidth;
  }
}

// Narrower and higher (or as high): backward, each source row becoming the
// last result row of its span, then repeated upward.
void narrowHigher(const ScaleJob &job) {
  ptrdiff_t in = job.sourceWidth * job.sourceHeight - 1;
  ptrdiff_t out = job.width * job.height - 1;
  for (ptrdiff_t y = job.sourceHeight - 1; y >= 0; --y) {
    for (ptrdiff_t x = job.width - 1; x >= 0; --x) {
      job.result[out--] = job.source[in];
      in -= job.columns[x];
    }
    for (int32_t copy = job.rows[y]; copy > 1; --copy, out -= job.width)
      copyRow(job, out - job.width + 1, out + 1);
  }
}

}  // namespace

Image *IMGScale(const Image *source, int32_t w, int32_t h) {
  if (source == nullptr || w < 0 || h < 0 || source->width < 0 || source->height < 0) {
    IMGError();
    return nullptr;
  }
  bool sourceHasPixels = source->width > 0 && source->height > 0;
  if (sourceHasPixels && source->pixels == nullptr) {
    IMGError();
    return nullptr;
  }
  Image *result = IMGMake(w, h);
  if (result == nullptr) return nullptr;
  // Without source pixels (or result pixels) there is nothing to map: the
  // result stays all 0.
  if (!sourceHasPixels || w == 0 || h == 0) return result;

  int32_t *columns = IMGRunTable(w, source->width);
  int32_t *rows = IMGRunTable(h, source->height);
  if (columns != nullptr && rows != nullptr) {
    ScaleJob job{source->pixels, source->width, source->height, result->pixels, w, h,
                 columns,        rows};
    bool wider = w >= source->width;
    bool higher = h >= source->height;
    if (wider && higher)
      growBoth(job);
    else if (!wider && !higher)
      shrinkBoth(job);
    else if (wider)
      widenLower(job);
    else
      narrowHigher(job);
  } else {
    IMGFree(&result);
  }
  std::free(columns);
  std::free(rows);
  return result;
}
