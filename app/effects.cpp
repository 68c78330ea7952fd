// The demo's pixel effects. They work on the pixel arrays directly; each
// gives exactly the pixels (and takes exactly the random draws) of its
// per-pixel description.
#include "app/effects.h"

#include <algorithm>
#include <type_traits>

#include "app/random.h"
#include "img/clip.h"
#include "img/simd.h"

// Every effect needs an image with a pixel array; anything else is reported.
static bool usable(const Image *image) {
  if (image == nullptr || image->pixels == nullptr) {
    IMGError();
    return false;
  }
  return true;
}

static size_t pixelCount(const Image *image) {
  if (image->width <= 0 || image->height <= 0) return 0;
  return static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
}

static constexpr RandomJump oneStep = randomJumpOf(1), twoSteps = randomJumpOf(2),
                            threeSteps = randomJumpOf(3);

// r % n without a division, for every draw r (0 .. 32767) and every n >= 1.
// Take L with 2^(L-1) < n <= 2^L, k = 15 + L and m = floor(2^k / n) + 1. Then
// m = (2^k + e) / n with 0 < e <= n, so r * m / 2^k exceeds r / n by
// r * e / (n * 2^k) < 2^15 / 2^k = 2^-L <= 1 / n: never up to the next whole
// number, and (r * m) >> k is exactly r / n. r * m < 2^15 * 2^16 fits 32 bits.
// The shift by k is taken as a shift by 15, then t >> L as (t * 2^(16 - L))
// >> 16 (t < 2^16, so the product fits 32 bits): both shifts by constants,
// which every vector instruction set does at once, where a shift by an
// amount known only at run time is done lane by lane by WebAssembly's.
// An n above 32767 exceeds every draw, so its quotient is 0 (m = 0).
class DrawModulo {
 public:
  explicit DrawModulo(int32_t n) : n_(static_cast<uint32_t>(n)) {
    if (n_ > 32767) return;
    uint32_t log = 0;
    while ((1u << log) < n_) log++;
    multiplier_ = static_cast<uint32_t>((uint64_t{1} << (15 + log)) / n_ + 1);
    scale_ = 1u << (16 - log);
  }
  uint32_t operator()(uint32_t r) const {
    uint32_t q;
    quotient(r, q);
    return r - q * n_;
  }
  // The pixel index (y % height) * n + x % n of the draws x and y, this the
  // width's reduction: x + n * (y - y / height * height - x / n), with one
  // multiplication fewer. On one pair of draws or on vectors of them.
  template <typename Draws>
  void index(const Draws &x, const Draws &y, DrawModulo height, Draws &out) const {
    Draws down, across;
    height.quotient(y, down);
    quotient(x, across);
    out = x + n_ * (y - down * height.n_ - across);
  }

 private:
  template <typename Draws>
  void quotient(const Draws &r, Draws &q) const {
    q = (((r * multiplier_) >> 15) * scale_) >> 16;
  }

  uint32_t n_;               // the divisor
  uint32_t multiplier_ = 0;  // m, or 0 when n_ exceeds every draw
  uint32_t scale_ = 0;       // 2^(16 - L)
};

void VORN2112Darken(Image *image, uint32_t amount) {
  if (!usable(image)) return;
  uint32_t v = amount & 0xFF;
  uint32_t *p = image->pixels;
  for (size_t i = pixelCount(image); i-- > 0;) {
    uint32_t r = (p[i] >> 16) & 0xFF;
    uint32_t g = (p[i] >> 8) & 0xFF;
    uint32_t b = p[i] & 0xFF;
    r = r > v ? r - v : 0;
    g = g > v ? g - v : 0;
    b = b > v ? b - v : 0;
    p[i] = (r << 16) | (g << 8) | b;
  }
}

// Both positioned blits take the whole source, its top-left pixel at (x, y);
// false when nothing of it lands on the destination (or an image is
// unusable, which is reported).
static bool place(const Image *source, const Image *destination, int32_t x, int32_t y,
                  Placement *out) {
  if (!usable(source) || !usable(destination)) return false;
  return IMGPlace(source, {0, 0, source->width, source->height}, destination, x, y, out);
}

// Runs combine(destination pixel, source pixel) over a placement from the
// bottom-right corner, row by row, so that a blit of an image onto itself
// reads and writes in the one defined order. A row whose source and
// destination share no memory gives the same pixels in any order: it goes to
// row(source row, destination row, width), which runs forward through the
// vector layer.
template <typename Combine, typename Row>
static void blitPlaced(const Image *source, Image *destination, const Placement &at,
                       Combine combine, Row row) {
  // Taken once: a store through a row could otherwise be the images' fields.
  const size_t sw = source->width, dw = destination->width;
  const uint32_t *from = source->pixels + at.sx;
  uint32_t *to = destination->pixels + at.dx;
  for (int32_t j = at.h - 1; j >= 0; j--) {
    const uint32_t *s = from + static_cast<size_t>(at.sy + j) * sw;
    uint32_t *d = to + static_cast<size_t>(at.dy + j) * dw;
    if (IMGRowsOverlap(s, d, at.w))
      for (int32_t i = at.w - 1; i >= 0; i--) combine(d[i], s[i]);
    else
      row(s, d, at.w);
  }
}

// The combinations, each written once for eight pixels and for one.
static constexpr auto average = [](auto &d, const auto &s) {
  d = s == 0 ? d : ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
};
static constexpr auto add = [](auto &d, const auto &s) { d += s; };

static void averageRow(const uint32_t *s, uint32_t *d, int32_t n) { IMGRowMap(d, s, n, average); }

// The additions of two whole rainbow copies are a good share of the frame.
VORN_VECTOR_FUNCTION(addRow, (const uint32_t *s, uint32_t *d, int32_t n), (s, d, n)) {
  IMGRowMap(d, s, n, add);
}

void VORN2112BlitAverage(const Image *source, Image *destination, int32_t x, int32_t y) {
  Placement at;
  if (!place(source, destination, x, y, &at)) return;
  blitPlaced(source, destination, at, average, averageRow);
}

void VORN2112BlitAdd(const Image *source, Image *destination, int32_t x, int32_t y) {
  Placement at;
  if (!place(source, destination, x, y, &at)) return;
  blitPlaced(source, destination, at, add, addRow);
}

// Pixel arrays that share memory are taken from the last index down, the
// one defined order; others give the same pixels in any order.
VORN_VECTOR_FUNCTION(maskPixels, (const uint32_t *m, uint32_t *t, size_t n), (m, t, n)) {
  const auto both = [](auto &d, const auto &s) { d &= s; };
  if (IMGRowsOverlap(m, t, n))
    for (size_t i = n; i-- > 0;) both(t[i], m[i]);
  else
    IMGRowMap(t, m, n, both);
}

void VORN2112Mask(const Image *mask, Image *target) {
  if (!usable(mask) || !usable(target)) return;
  // Images of different sizes are combined by index over the smaller count,
  // which never reaches past either array.
  maskPixels(mask->pixels, target->pixels, std::min(pixelCount(mask), pixelCount(target)));
}

// The dissolve works in blocks of attempts: first the pixel indexes of a
// whole block, eight attempts to a vector, each draw computed straight from
// the block's start state; then the block's swaps, strictly in their order.
// The swaps hit pixels all over the picture (600 KB at 640 x 480, out of the
// first-level cache), and the processor already keeps as many of those
// misses in flight as it can: fetching the next block's pixels ahead
// (__builtin_prefetch) made whole frames about 6% slower, so it is not done.
constexpr int32_t dissolveBlock = 128;  // attempts, a whole number of vectors
static_assert(dissolveBlock % imgLanes == 0);

// ahead.a[k][j], ahead.c[k][j]: the jump from a block's start state to the
// state that gives draw k (x1, y1, x2, y2) of the block's attempt j.
struct DrawJumps {
  uint32_t a[4][dissolveBlock], c[4][dissolveBlock];
};
static constexpr DrawJumps ahead = [] {
  DrawJumps jumps{};
  for (int32_t j = 0; j < dissolveBlock; j++)
    for (int k = 0; k < 4; k++) {
      const RandomJump jump = randomJumpOf(4 * j + k + 1);
      jumps.a[k][j] = jump.a;
      jumps.c[k][j] = jump.c;
    }
  return jumps;
}();

// The two pixel indexes of each attempt of a block from its start state,
// written once for a vector of attempts and for one.
VORN_VECTOR_FUNCTION(dissolvePositions,
                     (uint32_t state, DrawModulo byWidth, DrawModulo byHeight, uint32_t *first,
                      uint32_t *second),
                     (state, byWidth, byHeight, first, second)) {
  const auto positions = [=](int32_t j, auto &a, auto &b) {
    std::remove_reference_t<decltype(a)> draw[4];
    for (int k = 0; k < 4; k++) {
      std::remove_reference_t<decltype(a)> jumpA, jumpC;
      IMGVectorLoad(jumpA, &ahead.a[k][j]);
      IMGVectorLoad(jumpC, &ahead.c[k][j]);
      draw[k] = ((jumpA * state + jumpC) >> 16) & 0x7FFF;
    }
    byWidth.index(draw[0], draw[1], byHeight, a);
    byWidth.index(draw[2], draw[3], byHeight, b);
  };
#if VORN_VECTORS
  IMGLanes a, b;
  for (int32_t j = 0; j < dissolveBlock; j += imgLanes) {
    positions(j, a, b);
    IMGVectorStore(first + j, a);
    IMGVectorStore(second + j, b);
  }
#else
  for (int32_t j = 0; j < dissolveBlock; j++) positions(j, first[j], second[j]);
#endif
}

// Swaps the two pixels when both are set. Both are stored back either way,
// without a branch (the mask is all ones only when both are set; about 40%
// of the scene's pairs are, so a branch would be mispredicted often);
// unswapped pixels keep their values, as does a pair that is one pixel.
static void swapIfBothSet(uint32_t &a, uint32_t &b) {
  const uint32_t pa = a, pb = b;
  const uint32_t both = 0u - static_cast<uint32_t>(uint64_t{pa} * pb != 0);
  const uint32_t flip = (pa ^ pb) & both;
  a = pa ^ flip;
  b = pb ^ flip;
}

static void dissolveBlocks(Image *image, int32_t attempts) {
  const DrawModulo byWidth(image->width), byHeight(image->height);
  static constexpr RandomJump wholeBlock{ahead.a[3][dissolveBlock - 1],
                                         ahead.c[3][dissolveBlock - 1]};
  uint32_t *p = image->pixels;
  uint32_t first[dissolveBlock], second[dissolveBlock];
  const uint32_t start = VORN2112RandomState();
  uint32_t state = start;
  for (int32_t done = 0; done < attempts; done += dissolveBlock, state = wholeBlock(state)) {
    const int32_t count = std::min(dissolveBlock, attempts - done);
    dissolvePositions(state, byWidth, byHeight, first, second);
#pragma GCC unroll 4
    for (int32_t j = 0; j < count; j++) swapIfBothSet(p[first[j]], p[second[j]]);
  }
  VORN2112RandomSetState(randomJumpOf(4 * uint64_t(attempts))(start));
}

// One attempt at a time, for pictures whose pixel indexes outgrow 32 bits.
static void dissolveEach(Image *image, int32_t attempts) {
  const DrawModulo byWidth(image->width), byHeight(image->height);
  const size_t w = image->width;
  uint32_t state = VORN2112RandomState();
  const auto next = [&state] { return randomDrawOf(state = oneStep(state)); };
  for (int32_t n = 0; n < attempts; n++) {
    const size_t x1 = byWidth(next()), y1 = byHeight(next());
    const size_t x2 = byWidth(next()), y2 = byHeight(next());
    swapIfBothSet(image->pixels[y1 * w + x1], image->pixels[y2 * w + x2]);
  }
  VORN2112RandomSetState(state);
}

void VORN2112Dissolve(Image *image, int32_t attempts) {
  if (!usable(image) || pixelCount(image) == 0 || attempts <= 0) return;
  // Draws reach the first 32768 rows and columns; their pixel indexes fit 32
  // bits, which vectorise best, in all but images of billions of pixels.
  const uint64_t reach = uint64_t{std::min<uint32_t>(image->height, 32768)} * image->width;
  if (reach <= UINT32_MAX)
    dissolveBlocks(image, attempts);
  else
    dissolveEach(image, attempts);
}

void VORN2112Stars(Image *image, int32_t count) {
  if (!usable(image) || pixelCount(image) == 0) return;
  const size_t w = image->width;
  const DrawModulo byWidth(image->width), byHeight(image->height), byLevels(255);
  uint32_t state = VORN2112RandomState();
  for (int32_t n = 0; n < count; n++) {
    // The draws x, y and grey, in this order, come from the next three states.
    const uint32_t x = byWidth(randomDrawOf(oneStep(state)));
    const uint32_t y = byHeight(randomDrawOf(twoSteps(state)));
    const uint32_t g = byLevels(randomDrawOf(threeSteps(state)));
    state = threeSteps(state);
    image->pixels[y * w + x] = (g << 16) | (g << 8) | g;
  }
  VORN2112RandomSetState(state);
}
