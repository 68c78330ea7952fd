// The demo's pixel effects. They work on the pixel arrays directly; each
// gives exactly the pixels (and takes exactly the random draws) of its
// per-pixel description.
#include "app/effects.h"

#include <algorithm>

#include "app/random.h"
#include "img/clip.h"

// Hot loops come in a second copy for x86 processors with 256-bit integer
// vectors, chosen when the program loads. Other targets, WebAssembly among
// them, have one instruction set, so there they stay single.
#if defined(__x86_64__) || defined(__i386__)
#define VORN_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VORN_VECTOR_CLONES
#endif

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
// An n above 32767 exceeds every draw, so its quotient is 0 (m = 0).
class DrawModulo {
 public:
  explicit DrawModulo(int32_t n) : n_(static_cast<uint32_t>(n)) {
    if (n_ > 32767) return;
    uint32_t log = 0;
    while ((1u << log) < n_) log++;
    shift_ = 15 + log;
    multiplier_ = static_cast<uint32_t>((uint64_t{1} << shift_) / n_ + 1);
  }
  uint32_t operator()(uint32_t r) const { return r - ((r * multiplier_) >> shift_) * n_; }

 private:
  uint32_t n_, shift_ = 0, multiplier_ = 0;
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

// True when the n pixels from a and the n pixels from b share memory.
static bool overlap(const uint32_t *a, const uint32_t *b, int32_t n) {
  const auto x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
  const uintptr_t bytes = static_cast<uintptr_t>(n) * sizeof(uint32_t);
  return x < y + bytes && y < x + bytes;
}

// Runs combine(source value, destination value) over a placement from the
// bottom-right corner, row by row, so that a blit of an image onto itself
// reads and writes in the one defined order. A row whose source and
// destination share no memory gives the same pixels in any order: it goes to
// row(source row, destination row, width), which runs forward and vectorises.
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
    if (overlap(s, d, at.w))
      for (int32_t i = at.w - 1; i >= 0; i--) d[i] = combine(s[i], d[i]);
    else
      row(s, d, at.w);
  }
}

static uint32_t average(uint32_t s, uint32_t d) {
  return s == 0 ? d : ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
}

static uint32_t add(uint32_t s, uint32_t d) { return d + s; }

// The additions of a whole rainbow copy are a good share of the frame: the
// row loop also comes in a copy for processors with 256-bit integer vectors,
// chosen when the program loads.
VORN_VECTOR_CLONES static void addRow(const uint32_t *s, uint32_t *d, int32_t n) {
  for (int32_t i = 0; i < n; i++) d[i] = add(s[i], d[i]);
}

void VORN2112BlitAverage(const Image *source, Image *destination, int32_t x, int32_t y) {
  Placement at;
  if (!place(source, destination, x, y, &at)) return;
  blitPlaced(source, destination, at, average, [](const uint32_t *s, uint32_t *d, int32_t n) {
    for (int32_t i = 0; i < n; i++) d[i] = average(s[i], d[i]);
  });
}

void VORN2112BlitAdd(const Image *source, Image *destination, int32_t x, int32_t y) {
  Placement at;
  if (!place(source, destination, x, y, &at)) return;
  blitPlaced(source, destination, at, add, addRow);
}

void VORN2112Mask(const Image *mask, Image *target) {
  if (!usable(mask) || !usable(target)) return;
  // Images of different sizes are combined by index over the smaller count,
  // which never reaches past either array.
  size_t n = std::min(pixelCount(mask), pixelCount(target));
  const uint32_t *m = mask->pixels;
  uint32_t *t = target->pixels;
  for (size_t i = n; i-- > 0;) t[i] &= m[i];
}

// The dissolve works in blocks of attempts: first the pixel indexes of a
// whole block, each computed straight from the block's start state, then the
// block's swaps in their order.
constexpr int32_t dissolveBlock = 128;

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

// The two pixel indexes of each of count attempts from the start state.
// Attempts do not depend on each other here, so the compiler vectorises the
// loop, in a second copy for processors with 256-bit integer vectors too
// (chosen when the program loads).
template <typename Index>
VORN_VECTOR_CLONES static void dissolvePositions(uint32_t state, int32_t count, DrawModulo byWidth,
                                                 DrawModulo byHeight, Index width, Index *first,
                                                 Index *second) {
  for (int32_t j = 0; j < count; j++) {
    const Index x1 = byWidth(randomDrawOf(ahead.a[0][j] * state + ahead.c[0][j]));
    const Index y1 = byHeight(randomDrawOf(ahead.a[1][j] * state + ahead.c[1][j]));
    const Index x2 = byWidth(randomDrawOf(ahead.a[2][j] * state + ahead.c[2][j]));
    const Index y2 = byHeight(randomDrawOf(ahead.a[3][j] * state + ahead.c[3][j]));
    first[j] = y1 * width + x1;
    second[j] = y2 * width + x2;
  }
}

// Swaps the two pixels when both are set. Both are stored back either way,
// without a branch (the mask is all ones only when both are set); unswapped
// pixels keep their values, as does a pair that is one pixel.
static void swapIfBothSet(uint32_t &a, uint32_t &b) {
  const uint32_t pa = a, pb = b;
  const uint32_t both = 0u - static_cast<uint32_t>(uint64_t{pa} * pb != 0);
  const uint32_t flip = (pa ^ pb) & both;
  a = pa ^ flip;
  b = pb ^ flip;
}

template <typename Index>
static void dissolveBlocks(Image *image, int32_t attempts) {
  const DrawModulo byWidth(image->width), byHeight(image->height);
  uint32_t *p = image->pixels;
  Index first[dissolveBlock], second[dissolveBlock];
  uint32_t state = VORN2112RandomState();
  for (int32_t done = 0; done < attempts; done += dissolveBlock) {
    const int32_t count = std::min(dissolveBlock, attempts - done);
    dissolvePositions<Index>(state, count, byWidth, byHeight, image->width, first, second);
    state = RandomJump{ahead.a[3][count - 1], ahead.c[3][count - 1]}(state);
    for (int32_t j = 0; j < count; j++) swapIfBothSet(p[first[j]], p[second[j]]);
  }
  VORN2112RandomSetState(state);
}

void VORN2112Dissolve(Image *image, int32_t attempts) {
  if (!usable(image) || pixelCount(image) == 0) return;
  // Draws reach the first 32768 rows and columns; their pixel indexes fit 32
  // bits, which vectorise best, in all but images of billions of pixels.
  const uint64_t reach = uint64_t{std::min<uint32_t>(image->height, 32768)} * image->width;
  if (reach <= UINT32_MAX)
    dissolveBlocks<uint32_t>(image, attempts);
  else
    dissolveBlocks<size_t>(image, attempts);
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
