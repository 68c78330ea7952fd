// The paint kit shared by the painters: colours, noise, discs, polygons and
// the bevel lighting.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tools/assets.h"

namespace assets {

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }

static uint32_t channel(double v) {
  if (!(v > 0)) return 0;
  if (v >= 255) return 255;
  return static_cast<uint32_t>(v + 0.5);  // NOLINT(bugprone-incorrect-roundings): v > 0 here
}

uint32_t opaque(Rgb c) {
  uint32_t value = channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
  return value == 0 ? 0x010101 : value;
}

double clamp01(double t) { return t < 0 ? 0 : (t > 1 ? 1 : t); }

double smoothstep(double edge0, double edge1, double x) {
  double t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

double root(double x) { return x > 0 ? std::sqrt(x) : 0; }

// Taylor series up to x^15 on [0, pi/2], where it is exact to about 1e-12.
static double quarterSine(double x) {
  double x2 = x * x, term = x, sum = x;
  for (int n = 1; n <= 7; ++n) {
    term = -term * x2 / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double sine(double turns) {
  constexpr double tau = 6.283185307179586;
  double t = turns - std::floor(turns);
  if (t < 0.25) return quarterSine(t * tau);
  if (t < 0.5) return quarterSine((0.5 - t) * tau);
  if (t < 0.75) return -quarterSine((t - 0.5) * tau);
  return -quarterSine((1 - t) * tau);
}

uint32_t Random::next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

double Random::unit() { return next() / 4294967296.0; }

double Random::between(double a, double b) { return a + (b - a) * unit(); }

static uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^
               static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

static double lattice(int32_t x, int32_t y, uint32_t seed) {
  return hash(x, y, seed) / 4294967295.0;
}

double noise(double x, double y, uint32_t seed) {
  double fx = std::floor(x), fy = std::floor(y);
  auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  double u = smoothstep(0, 1, x - fx), v = smoothstep(0, 1, y - fy);
  double top = lattice(ix, iy, seed) + (lattice(ix + 1, iy, seed) - lattice(ix, iy, seed)) * u;
  double bottom =
      lattice(ix, iy + 1, seed) + (lattice(ix + 1, iy + 1, seed) - lattice(ix, iy + 1, seed)) * u;
  return top + (bottom - top) * v;
}

double fractal(double x, double y, uint32_t seed, int octaves) {
  double sum = 0, weight = 0.5, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += noise(x, y, seed + static_cast<uint32_t>(i) * 101u) * weight;
    total += weight;
    x *= 2;
    y *= 2;
    weight *= 0.5;
  }
  return sum / total;
}

void disc(Image *image, double cx, double cy, double radius, uint32_t colour) {
  auto x0 = static_cast<int32_t>(std::floor(cx - radius));
  auto y0 = static_cast<int32_t>(std::floor(cy - radius));
  auto x1 = static_cast<int32_t>(std::ceil(cx + radius));
  auto y1 = static_cast<int32_t>(std::ceil(cy + radius));
  double r2 = radius * radius;
  for (int32_t y = y0; y <= y1; ++y)
    for (int32_t x = x0; x <= x1; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= r2) IMGPutPixel(image, x, y, colour);
    }
}

bool insidePolygon(const double *xy, int corners, double x, double y) {
  bool inside = false;
  for (int i = 0, j = corners - 1; i < corners; j = i++) {
    double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

double *distanceToEdge(const Image *shape, int reach) {
  int32_t w = shape->width, h = shape->height;
  auto *distance = static_cast<double *>(std::calloc(static_cast<size_t>(w) * h, sizeof(double)));
  if (distance == nullptr) return nullptr;
  struct Offset {
    int dx, dy, d2;
  };
  std::vector<Offset> offsets;
  for (int dy = -reach; dy <= reach; ++dy)
    for (int dx = -reach; dx <= reach; ++dx)
      if (dx * dx + dy * dy <= reach * reach) offsets.push_back({dx, dy, dx * dx + dy * dy});
  // Nearest first, in a fixed order among equals, so the first hit is the answer.
  std::stable_sort(offsets.begin(), offsets.end(),
                   [](const Offset &a, const Offset &b) { return a.d2 < b.d2; });
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      if (shape->pixels[y * w + x] == 0) continue;
      double d = reach;
      for (const Offset &o : offsets) {
        int32_t u = x + o.dx, v = y + o.dy;
        if (u < 0 || v < 0 || u >= w || v >= h || shape->pixels[v * w + u] == 0) {
          d = std::sqrt(static_cast<double>(o.d2));
          break;
        }
      }
      distance[y * w + x] = d;
    }
  return distance;
}

double bevelLight(const double *distance, int32_t w, int32_t h, int32_t x, int32_t y, double width,
                  double *bend) {
  auto height = [&](int32_t u, int32_t v) {
    if (u < 0 || v < 0 || u >= w || v >= h) return 0.0;
    double t = clamp01(distance[v * w + u] / width);
    return (1 - (1 - t) * (1 - t)) * width * 0.9;  // a rounded shoulder
  };
  // Sobel differences: smoother than neighbours alone on stepped diagonals.
  double gx = (height(x + 1, y - 1) + 2 * height(x + 1, y) + height(x + 1, y + 1) -
               height(x - 1, y - 1) - 2 * height(x - 1, y) - height(x - 1, y + 1)) /
              8;
  double gy = (height(x - 1, y + 1) + 2 * height(x, y + 1) + height(x + 1, y + 1) -
               height(x - 1, y - 1) - 2 * height(x, y - 1) - height(x + 1, y - 1)) /
              8;
  double length = std::sqrt(gx * gx + gy * gy + 1);
  double nx = -gx / length, ny = -gy / length, nz = 1 / length;
  // Light from the upper left and a little in front; y grows downwards.
  constexpr double lx = -0.539, ly = -0.539, lz = 0.647;
  double facing = nx * lx + ny * ly + nz * lz;
  *bend = ny;
  return 0.3 + 0.7 * (facing > 0 ? facing : 0) / lz;
}

}  // namespace assets
