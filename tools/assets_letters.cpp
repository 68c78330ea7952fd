// The four flying letters V, O, R, N: bold chrome shapes with a rounded bevel
// and a dark rim, 112 pixels tall, on a background of exact zeros.
#include <cstdlib>

#include "tools/assets.h"

namespace assets {

constexpr int32_t letterHeight = 112;
constexpr double bevel = 7;

static double pow4(double v) { return v * v * v * v; }

static bool ellipse(double x, double y, double cx, double cy, double rx, double ry) {
  double u = (x - cx) / rx, v = (y - cy) / ry;
  return u * u + v * v <= 1;
}

static bool box(double x, double y, double x0, double y0, double x1, double y1) {
  return x >= x0 && x < x1 && y >= y0 && y < y1;
}

// Each shape in its own box of width x 112, sampled at a point (x, y).
static bool shapeV(double x, double y) {
  static const double outline[] = {0, 0, 31, 0, 52, 76, 73, 0, 104, 0, 68, 112, 36, 112};
  return insidePolygon(outline, 7, x, y);
}

static bool shapeO(double x, double y) {
  bool outer = pow4((x - 52) / 52) + pow4((y - 56) / 56) <= 1;
  bool hole = pow4((x - 52) / 23) + pow4((y - 56) / 30) <= 1;
  return outer && !hole;
}

static bool shapeR(double x, double y) {
  static const double leg[] = {42, 58, 75, 58, 104, 112, 70, 112};
  bool bowl = box(x, y, 0, 0, 66, 68) || ellipse(x, y, 66, 34, 34, 34);
  bool hole = box(x, y, 30, 24, 62, 44) || ellipse(x, y, 62, 34, 12, 10);
  return box(x, y, 0, 0, 30, letterHeight) || (bowl && !hole) || insidePolygon(leg, 4, x, y);
}

static bool shapeN(double x, double y) {
  static const double diagonal[] = {0, 0, 34, 0, 104, 112, 70, 112};
  return box(x, y, 0, 0, 29, letterHeight) || box(x, y, 75, 0, 104, letterHeight) ||
         insidePolygon(diagonal, 4, x, y);
}

// The chrome reflection: a deep blue sky brightening to a white horizon
// just below the middle, then dark ground warming towards the bottom.
static Rgb chrome(double v) {
  const Rgb skyTop{18, 36, 112}, skyLow{150, 205, 255}, horizon{240, 248, 255};
  const Rgb groundHigh{52, 34, 40}, groundMid{150, 88, 56}, groundLow{255, 212, 130};
  if (v < 0.44) return mix(skyTop, skyLow, smoothstep(0, 0.44, v));
  if (v < 0.56) return mix(skyLow, horizon, (v - 0.44) / 0.12);
  if (v < 0.8) return mix(groundHigh, groundMid, (v - 0.56) / 0.24);
  return mix(groundMid, groundLow, clamp01((v - 0.8) / 0.2));
}

// Rounds the four corners of the letter's box, so that a stroke ending in a
// corner gets a rounded end and every corner pixel stays transparent.
static bool insideRoundedBox(double x, double y, double width) {
  const double r = 5;
  double cx = x < r ? r : (x > width - r ? width - r : x);
  double cy = y < r ? r : (y > letterHeight - r ? letterHeight - r : y);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// Cuts the image down to the box around its non-zero pixels: the demo
// centres a letter by its picture's size, so a margin would put it off centre.
static Image *trim(Image *image) {
  int32_t w = image->width, h = image->height;
  int32_t x0 = w, y0 = h, x1 = -1, y1 = -1;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (image->pixels[y * w + x] != 0) {
        x0 = x < x0 ? x : x0;
        y0 = y < y0 ? y : y0;
        x1 = x > x1 ? x : x1;
        y1 = y > y1 ? y : y1;
      }
  Image *cut = x1 < 0 ? nullptr : IMGMake(x1 - x0 + 1, y1 - y0 + 1);
  if (cut != nullptr)
    for (int32_t y = y0; y <= y1; ++y)
      for (int32_t x = x0; x <= x1; ++x)
        cut->pixels[(y - y0) * cut->width + x - x0] = image->pixels[y * w + x];
  IMGFree(&image);
  return cut;
}

static Image *cutShape(bool (*shape)(double, double), int32_t width) {
  Image *image = IMGMake(width, letterHeight);
  if (image == nullptr) return nullptr;
  // Four by four samples a pixel; at least half of them inside sets it.
  for (int32_t y = 0; y < letterHeight; ++y)
    for (int32_t x = 0; x < width; ++x) {
      int hits = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          double u = x + (i + 0.5) / 4, v = y + (j + 0.5) / 4;
          hits += shape(u, v) && insideRoundedBox(u, v, width) ? 1 : 0;
        }
      if (hits >= 8) image->pixels[y * width + x] = 1;
    }
  return trim(image);
}

static bool shade(Image *image) {
  int32_t w = image->width, h = image->height;
  double *distance = distanceToEdge(image, 12);
  if (distance == nullptr) return false;
  const Rgb rim{22, 14, 40}, white{255, 255, 255};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      double d = distance[y * w + x];
      if (d == 0) continue;
      if (d < 1.5) {
        image->pixels[y * w + x] = opaque(rim);
        continue;
      }
      double bend = 0;
      double light = bevelLight(distance, w, h, x, y, bevel, &bend);
      // A slope reflects the gradient from further up or down, like a curved mirror.
      Rgb c = scale(chrome(clamp01((y + bend * 26) / h)), light);
      double glint = smoothstep(1.25, 1.45, light);
      // Fine horizontal streaks, as on brushed metal.
      double streak = 0.96 + 0.08 * noise(x / 32.0, y * 0.7, 77);
      image->pixels[y * w + x] = opaque(mix(scale(c, streak), white, glint * 0.8));
    }
  std::free(distance);
  return true;
}

Image *paintLetter(char letter) {
  Image *image = nullptr;
  switch (letter) {
    case 'V':
      image = cutShape(shapeV, 104);
      break;
    case 'O':
      image = cutShape(shapeO, 104);
      break;
    case 'R':
      image = cutShape(shapeR, 102);
      break;
    case 'N':
      image = cutShape(shapeN, 104);
      break;
    default:
      return nullptr;
  }
  if (image != nullptr && !shade(image)) IMGFree(&image);
  return image;
}

}  // namespace assets
