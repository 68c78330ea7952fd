// The fern moor at night: a moon, far blue hills, a heather ridge with a
// granite tor, dark peat and bracken fronds arching up into the sky. The sky
// stays exactly 0, so the demo's stars show through it and the dissolving
// picture keeps this outline.
#include <initializer_list>

#include "tools/assets.h"

namespace assets {

constexpr int32_t moorWidth = 640;
constexpr int32_t moorHeight = 240;

static double cosine(double turns) { return sine(turns + 0.25); }

// A hill of height 1 at centre with a rounded top and flaring foot,
// falling to 0 at centre +- half.
static double hill(double x, double centre, double half) {
  double d = x > centre ? x - centre : centre - x;
  return smoothstep(0, 1, 1 - d / half);
}

// Heights of the ridges: the row where each layer's ground begins.
static double distantRidge(double x) {
  return 124 - 30 * fractal(x / 210, 0.5, 11, 3) - 30 * hill(x, 470, 190) - 16 * hill(x, 40, 140);
}

static double farRidge(double x) {
  return 144 - 26 * fractal(x / 140, 1.5, 17, 4) - 12 * hill(x, 120, 130);
}

// The heather ridge, with a knoll for the tor that rises against the sky.
static double midRidge(double x) {
  return 172 - 24 * fractal(x / 120, 2.5, 23, 4) - 50 * hill(x, 272, 170) + 6 * sine(x / 500 + 0.6);
}

static double nearRidge(double x) { return 204 - 14 * fractal(x / 60, 4.5, 37, 3); }

static void paintMoon(Image *image) {
  const double cx = 500, cy = 50, r = 24;
  for (int32_t y = 20; y < 80; ++y)
    for (int32_t x = 470; x < 530; ++x) {
      double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
      double d2 = dx * dx + dy * dy;
      if (d2 > 1) continue;
      double limb = 0.75 + 0.25 * root(1 - d2);
      double seas = smoothstep(0.45, 0.7, fractal(x / 14.0, y / 14.0, 5, 3));
      Rgb c = mix(Rgb{255, 246, 214}, Rgb{196, 186, 170}, seas);
      image->pixels[y * moorWidth + x] = opaque(scale(c, limb));
    }
}

// A layer of hills from its ridge down: colour darkening or hazing with
// depth, a little grain, and a thin moonlit crest.
static void paintHills(Image *image, double (*ridge)(double), Rgb crest, Rgb top, Rgb base,
                       double fade, uint32_t seed) {
  for (int32_t x = 0; x < moorWidth; ++x) {
    double ground = ridge(x);
    for (int32_t y = 0; y < moorHeight; ++y) {
      double depth = y + 0.5 - ground;
      if (depth < 0) continue;
      double grain = fractal(x / 36.0, y / 14.0, seed, 3);
      Rgb c = scale(mix(top, base, clamp01(depth / fade)), 0.86 + 0.28 * grain);
      if (depth < 1.2) c = crest;
      image->pixels[y * moorWidth + x] = opaque(c);
    }
  }
}

static void paintFarHills(Image *image) {
  paintHills(image, distantRidge, Rgb{120, 110, 220}, Rgb{34, 30, 110}, Rgb{70, 56, 168}, 60, 41);
  paintHills(image, farRidge, Rgb{170, 130, 230}, Rgb{70, 44, 140}, Rgb{120, 70, 170}, 40, 43);
}

// Heather: purple and magenta, with patches of moss and dead bracken and
// sparks of flowering heather and yellow gorse.
static Rgb heather(int32_t x, int32_t y, double depth) {
  double patch = fractal(x / 50.0, y / 22.0, 53, 4);
  double moss = smoothstep(0.55, 0.68, fractal(x / 70.0, y / 30.0, 59, 3));
  Rgb c = mix(Rgb{110, 40, 112}, Rgb{176, 64, 150}, patch);
  c = mix(c, Rgb{58, 96, 52}, moss * (0.4 + 0.5 * noise(x * 0.7, y * 0.7, 57)));
  double speck = noise(x * 0.9, y * 0.9, 61);
  if (speck > 0.86)
    c = Rgb{236, 110, 210};
  else if (speck < 0.06)
    c = Rgb{236, 204, 64};
  double light = 1.1 - 0.45 * clamp01(depth / 60);  // the slope darkens away from the crest
  return scale(c, light);
}

static void paintHeather(Image *image) {
  for (int32_t x = 0; x < moorWidth; ++x) {
    double top = midRidge(x);
    for (int32_t y = 0; y < moorHeight; ++y) {
      double depth = y - top;
      if (depth < 0) continue;
      image->pixels[y * moorWidth + x] = opaque(heather(x, y, depth));
    }
  }
}

// Sprigs standing up from the crest fray the outline against the sky and
// hide the foot of the tor.
static void paintSprigs(Image *image) {
  Random random{0x5EED0001u};
  for (int i = 0; i < 700; ++i) {
    double x = random.between(0, moorWidth);
    double height = random.between(1, 6);
    double lean = random.between(-0.6, 0.6);
    double base = midRidge(x) + 1;
    Rgb c = random.unit() < 0.5 ? Rgb{200, 80, 180} : Rgb{120, 50, 120};
    for (double t = 0; t < height; t += 0.5)
      IMGPutPixel(image, static_cast<int32_t>(x + lean * t), static_cast<int32_t>(base - t),
                  opaque(c));
  }
}

// One slab of granite: a rounded box with a ragged outline, lit from the
// moon on the upper right, with a bright top edge and a dark underside.
static void paintSlab(Image *image, double x0, double y0, double x1, double y1) {
  const double corner = 3;
  for (auto y = static_cast<int32_t>(y0); y < y1; ++y)
    for (auto x = static_cast<int32_t>(x0) - 1; x < x1 + 1; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double cx = px < x0 + corner ? x0 + corner : (px > x1 - corner ? x1 - corner : px);
      double cy = py < y0 + corner ? y0 + corner : (py > y1 - corner ? y1 - corner : py);
      double ragged = corner + 1.2 * (noise(px / 2.5, py / 2.5, 67) - 0.5);
      if ((px - cx) * (px - cx) + (py - cy) * (py - cy) > ragged * ragged) continue;
      double u = (px - x0) / (x1 - x0), v = (py - y0) / (y1 - y0);
      double lichen = fractal(px / 4.0, py / 4.0, 71, 3);
      Rgb stone = mix(Rgb{96, 98, 116}, Rgb{150, 150, 120}, lichen);
      double light = 0.7 + 0.45 * u - 0.45 * v * v;
      if (py - y0 < 1.5) light += 0.5;
      if (y1 - py < 1.2) light = 0.35;
      image->pixels[y * moorWidth + x] = opaque(scale(stone, light));
    }
}

// A tor on the knoll of the heather ridge: three stacks of slabs, the
// middle one the tallest.
static void paintTor(Image *image) {
  struct Stack {
    double centre, width;
    int slabs;
  };
  const Stack stacks[] = {{242, 30, 4}, {272, 38, 6}, {302, 28, 3}};
  Random random{0x5EED0004u};
  for (const Stack &stack : stacks) {
    double bottom = midRidge(stack.centre) + 8;  // the lowest slab sits half buried
    double width = stack.width;
    for (int i = 0; i < stack.slabs; ++i) {
      double height = random.between(6, 9);
      double shift = random.between(-3, 3);
      double x0 = stack.centre + shift - width / 2;
      paintSlab(image, x0, bottom - height, x0 + width, bottom);
      bottom -= height - 0.5;
      width *= random.between(0.72, 0.92);
    }
  }
}

static void paintPeat(Image *image) {
  for (int32_t x = 0; x < moorWidth; ++x) {
    double top = nearRidge(x);
    for (int32_t y = 0; y < moorHeight; ++y) {
      double depth = y - top;
      if (depth < 0) continue;
      double grain = fractal(x / 16.0, y / 8.0, 83, 4);
      Rgb c = mix(Rgb{50, 96, 30}, Rgb{150, 104, 40}, grain);
      c = scale(c, 1.1 - 0.3 * clamp01(depth / 36));
      image->pixels[y * moorWidth + x] = opaque(c);
    }
  }
  // Grass blades along the near edge.
  Random random{0x5EED0002u};
  for (int i = 0; i < 900; ++i) {
    double x = random.between(0, moorWidth);
    double height = random.between(2, 10);
    double lean = random.between(-0.5, 0.5);
    double base = nearRidge(x) + 2;
    Rgb c = mix(Rgb{70, 110, 40}, Rgb{170, 170, 70}, random.unit());
    for (double t = 0; t < height; t += 0.5)
      IMGPutPixel(image, static_cast<int32_t>(x + lean * t * t / height),
                  static_cast<int32_t>(base - t), opaque(scale(c, 0.6 + 0.4 * t / height)));
  }
}

// One bracken frond: a curved stem from the base to the tip with pinnae on
// both sides, longest low on the stem and shrinking to the tip, each pinna
// fringed with small pinnules pointing forward.
struct Frond {
  double baseX, baseY, bendX, bendY, tipX, tipY;
  Rgb stem, tip;
  double reach;  // length of the longest pinna
};

// A tapering stroke from (x0, y0) along (dx, dy), bending sideways by droop.
static void stroke(Image *image, double x0, double y0, double dx, double dy, double length,
                   double droop, double width, Rgb c) {
  for (double s = 0; s <= length; s += 0.4) {
    double u = s / length;
    double x = x0 + dx * s - dy * droop * u * u * length;
    double y = y0 + dy * s + dx * droop * u * u * length;
    disc(image, x, y, width * (1 - 0.7 * u), opaque(scale(c, 0.85 + 0.3 * u)));
  }
}

static void pinna(Image *image, double x0, double y0, double dx, double dy, double length,
                  double droop, Rgb c) {
  stroke(image, x0, y0, dx, dy, length, droop, 1.0, c);
  if (length < 5) return;
  for (double s = 2; s < length - 1; s += 2.2) {
    double u = s / length;
    // Follow the pinna's own bend to find the point and its direction.
    double x = x0 + dx * s - dy * droop * u * u * length;
    double y = y0 + dy * s + dx * droop * u * u * length;
    double bx = dx - dy * droop * 2 * u, by = dy + dx * droop * 2 * u;
    double norm = root(bx * bx + by * by);
    bx /= norm;
    by /= norm;
    double small = (0.32 * length + 1.5) * (1 - 0.8 * u);
    for (double side : {-1.0, 1.0}) {
      double px = bx * cosine(side * 0.14) - by * sine(side * 0.14);
      double py = bx * sine(side * 0.14) + by * cosine(side * 0.14);
      stroke(image, x, y, px, py, small, 0, 0.9, scale(c, side > 0 ? 1.08 : 0.9));
    }
  }
}

static void paintFrond(Image *image, const Frond &f) {
  const int stepCount = 600, pairCount = 18;
  const double bareStalk = 0.22;  // the stalk below the first pinnae
  double previousX = f.baseX, previousY = f.baseY;
  int placed = 0;
  for (int step = 1; step <= stepCount; ++step) {
    double t = static_cast<double>(step) / stepCount;
    double a = (1 - t) * (1 - t), b = 2 * t * (1 - t), c = t * t;
    double x = a * f.baseX + b * f.bendX + c * f.tipX;
    double y = a * f.baseY + b * f.bendY + c * f.tipY;
    double tx = x - previousX, ty = y - previousY;
    previousX = x;
    previousY = y;
    disc(image, x, y, 1.7 - 1.1 * t, opaque(mix(f.stem, f.tip, t)));
    double u = (t - bareStalk) / (1 - bareStalk);
    if (u < 0 || u * pairCount < placed || placed >= pairCount) continue;
    ++placed;
    double length = root(tx * tx + ty * ty);
    tx /= length;
    ty /= length;
    // A triangular frond: widest just above the stalk, narrowing to the tip.
    double size = f.reach * (1 - 0.85 * u) * (0.75 + 0.25 * smoothstep(0, 0.2, u));
    Rgb colour = mix(f.stem, f.tip, 0.25 + 0.75 * t);
    for (double side : {-1.0, 1.0}) {
      double angle = side * 0.16;  // about 58 degrees off the stem, towards the tip
      double dx = tx * cosine(angle) - ty * sine(angle);
      double dy = tx * sine(angle) + ty * cosine(angle);
      pinna(image, x, y, dx, dy, size, side * 0.25, scale(colour, side > 0 ? 1.1 : 0.85));
    }
  }
}

static void paintBracken(Image *image) {
  const Rgb green{46, 120, 40}, greenTip{150, 200, 70};
  const Rgb rust{150, 70, 26}, rustTip{236, 168, 60};
  const Rgb olive{80, 110, 36}, gold{210, 190, 70};
  const Rgb stems[] = {green, rust, olive}, tips[] = {greenTip, rustTip, gold};
  // A low carpet of small fronds over the peat, dim, leaning every way.
  Random random{0x5EED0003u};
  for (int i = 0; i < 46; ++i) {
    double x = random.between(-20, moorWidth + 20);
    double lean = random.between(-60, 60);
    double top = random.between(176, 204);
    int kind = static_cast<int>(random.unit() * 3);
    double dim = random.between(0.6, 0.9);
    Frond f{x,
            250,
            x + lean * 0.2,
            (250 + top) / 2,
            x + lean,
            top,
            scale(stems[kind], dim),
            scale(tips[kind], dim),
            random.between(8, 13)};
    paintFrond(image, f);
  }
  // The tall fronds, back to front: the far ones darker.
  const Frond fronds[] = {
      {330, 250, 345, 150, 395, 122, scale(green, 0.7), scale(greenTip, 0.7), 22},
      {560, 250, 590, 150, 520, 104, scale(rust, 0.75), scale(rustTip, 0.75), 24},
      {420, 250, 430, 130, 500, 128, scale(olive, 0.8), scale(gold, 0.8), 22},
      {38, 250, 30, 130, 120, 110, scale(olive, 0.8), scale(gold, 0.8), 24},
      {120, 250, 150, 110, 230, 86, green, greenTip, 30},
      {650, 250, 640, 110, 590, 60, green, greenTip, 30},
      {240, 250, 200, 140, 156, 150, rust, rustTip, 24},
      {-10, 250, 30, 160, 70, 40, rust, rustTip, 34},
      {470, 250, 440, 120, 380, 70, green, greenTip, 34},
      {360, 250, 380, 190, 430, 176, olive, gold, 20},
      {186, 250, 196, 120, 150, 34, olive, gold, 30},
      {600, 250, 560, 110, 430, 44, rust, rustTip, 32},
  };
  for (const Frond &f : fronds) paintFrond(image, f);
}

Image *paintMoor() {
  Image *image = IMGMake(moorWidth, moorHeight);
  if (image == nullptr) return nullptr;
  paintMoon(image);
  paintFarHills(image);
  paintHeather(image);
  paintTor(image);
  paintSprigs(image);
  paintPeat(image);
  paintBracken(image);
  return image;
}

}  // namespace assets
