// The demo's pictures and font, painted from code by vorn2112-assets.
//
// Every painter returns a new Image owned by the caller (IMGFree), or null
// when memory runs out. A pixel of value 0 is transparent in the demo, so
// painters write 0 only where they mean "nothing here"; every colour that
// should be seen goes through `opaque`, which never yields 0.
//
// The pictures are the same bytes on every machine: randomness comes from a
// fixed-seed generator of our own, and the arithmetic uses only +, -, *, /
// and sqrt on doubles (all exactly rounded by IEEE 754) plus our own sine,
// never the C library's transcendental functions, whose last bits vary.
#pragma once

#include <cstdint>

#include "img/img.h"

namespace assets {

// A colour with channels on the 0..255 scale; values outside are clamped.
struct Rgb {
  double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t);  // a at t = 0, b at t = 1
Rgb scale(Rgb c, double k);
uint32_t opaque(Rgb c);  // 0x00RRGGBB, rounded and clamped; 0 becomes 0x010101

double clamp01(double t);
double smoothstep(double edge0, double edge1, double x);
double sine(double turns);  // sin(2 pi turns)
double root(double x);      // sqrt of max(x, 0)

// xorshift32 with a fixed seed: the same sequence on every run.
struct Random {
  uint32_t state;
  uint32_t next();
  double unit();                       // [0, 1)
  double between(double a, double b);  // [a, b)
};

// Smooth value noise in [0, 1] on an integer lattice, and its sum over
// `octaves` octaves (each twice the frequency and half the weight).
double noise(double x, double y, uint32_t seed);
double fractal(double x, double y, uint32_t seed, int octaves);

// Drawing helpers over an Image; pixels outside are ignored.
void disc(Image *image, double cx, double cy, double radius, uint32_t colour);
// A polygon given as x0, y0, x1, y1, ...: does it hold the point?
bool insidePolygon(const double *xy, int corners, double x, double y);

// Distance from each pixel to the nearest zero pixel (0 for zero pixels),
// looked for within `reach` pixels and capped there. Row-major, width * height.
double *distanceToEdge(const Image *shape, int reach);

// Lights a bevel: the pixels within `width` of the edge slope down to it.
// Returns the brightness for light from the upper left: 0.3 in shade, 1 on
// the flat, up to about 1.4 on slopes facing the light. Through bend it tells
// how far the slope tilts a reflection vertically (-1 .. 1; 0 on the flat).
double bevelLight(const double *distance, int32_t w, int32_t h, int32_t x, int32_t y, double width,
                  double *bend);

// Paints the non-zero pixels of `image` (a shape, `distance` from
// distanceToEdge) as a badge: a gold rim `rim` pixels wide with a rounded
// bevel and a dark outline, around a night-blue field in which a share
// `stars` of the pixels are stars drawn from `random`.
void paintBadge(Image *image, const double *distance, double rim, double stars, Random &random);

// Draws text with the font, each glyph pixel a size x size block coloured by
// paint(row within the line, 0 .. 8 * size - 1); advances 8 * size a character.
void lettering(Image *image, const char *text, int32_t x, int32_t y, int32_t size,
               uint32_t (*paint)(int row));

// The eight products.
bool writeFont(const char *path);  // the glyph sheet as a raw PBM, set bit = drawn
Image *paintLetter(char letter);   // 'V', 'O', 'R' or 'N'
Image *paintMoor();
Image *paintLogo();
Image *paintRainbow();

// The desktop icon, iconSize x iconSize; its corners are 0 (transparent).
constexpr int32_t iconSize = 128;
Image *paintIcon();

}  // namespace assets
