// The two smaller backdrops: the badge in the lower right corner and the
// rainbow curtain that the demo adds onto the screen twice.
#include <cstdlib>

#include "tools/assets.h"

namespace assets {

constexpr int32_t logoWidth = 106;
constexpr int32_t logoHeight = 120;
constexpr double logoCentre = logoWidth / 2.0;

constexpr int32_t rainbowWidth = 128;
constexpr int32_t rainbowHeight = 512;
// The brightest a rainbow channel gets: two copies on black add up to 0xC0,
// which glows without carrying into the next channel.
constexpr double rainbowPeak = 96;

// Half the badge's width at row y: straight sides with rounded top corners,
// then a curve closing to a point at the bottom.
static double badgeHalfWidth(double y) {
  const double half = 51, corner = 10, waist = 66;
  if (y < 0 || y >= logoHeight) return -1;
  if (y < corner) return half - corner + root(corner * corner - (corner - y) * (corner - y));
  if (y < waist) return half;
  double t = (y - waist) / (logoHeight - waist);
  return half * (1 - t) * (1 + 0.8 * t);
}

static uint32_t goldText(int row) {
  return opaque(mix(Rgb{255, 250, 220}, Rgb{255, 150, 30}, row / 13.0));
}

static uint32_t cyanText(int row) {
  return opaque(mix(Rgb{160, 250, 255}, Rgb{40, 110, 255}, row / 13.0));
}

static uint32_t textShadow(int) { return 0x0A0418; }

// A small ringed planet above the lettering: the back half of the ring,
// the ball, then the front half over it.
static void paintPlanet(Image *image) {
  const double cx = logoCentre, cy = 33, r = 13;
  auto ring = [&](bool front) {
    for (double a = 0; a < 1; a += 0.0008) {
      double ca = sine(a + 0.25), sa = sine(a);  // a tilted ellipse, its lower half in front
      if ((sa > 0) != front) continue;
      double x = cx + 27 * ca, y = cy + 6 * sa - 5 * ca;
      double light = 0.55 - 0.45 * ca;
      disc(image, x, y, 1.1, opaque(scale(Rgb{250, 200, 120}, 0.6 + 0.5 * light)));
    }
  };
  ring(false);
  for (int32_t y = 0; y < logoHeight; ++y)
    for (int32_t x = 0; x < logoWidth; ++x) {
      double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
      double d2 = dx * dx + dy * dy;
      if (d2 > 1) continue;
      // Bands across the ball, lit from the upper left.
      double band = 0.5 + 0.5 * sine(dy * 1.6 + 0.2 * dx);
      Rgb c = mix(Rgb{200, 60, 140}, Rgb{255, 140, 90}, band);
      double light = 0.35 + 0.75 * clamp01(-0.55 * dx - 0.6 * dy + 0.6 * root(1 - d2));
      image->pixels[y * logoWidth + x] = opaque(scale(c, light));
    }
  ring(true);
}

void paintBadge(Image *image, const double *distance, double rim, double stars, Random &random) {
  const int32_t w = image->width, h = image->height;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      double d = distance[y * w + x];
      if (d == 0) continue;
      Rgb c;
      if (d < rim) {
        double bend = 0;
        double light = bevelLight(distance, w, h, x, y, rim, &bend);
        c = scale(mix(Rgb{200, 130, 30}, Rgb{255, 226, 130}, clamp01(0.5 - bend)), light);
        if (d < 1.5) c = Rgb{60, 30, 8};
      } else {
        double v = static_cast<double>(y) / h;
        c = mix(Rgb{34, 18, 84}, Rgb{8, 24, 70}, v);
        if (random.unit() < stars) c = mix(c, Rgb{200, 210, 255}, random.between(0.3, 1));
      }
      image->pixels[y * w + x] = opaque(c);
    }
}

Image *paintLogo() {
  Image *image = IMGMake(logoWidth, logoHeight);
  if (image == nullptr) return nullptr;
  for (int32_t y = 0; y < logoHeight; ++y)
    for (int32_t x = 0; x < logoWidth; ++x) {
      double dx = x + 0.5 - logoCentre;
      if ((dx < 0 ? -dx : dx) <= badgeHalfWidth(y + 0.5)) image->pixels[y * logoWidth + x] = 1;
    }
  double *distance = distanceToEdge(image, 8);
  if (distance == nullptr) {
    IMGFree(&image);
    return nullptr;
  }
  Random random{0x5EED0005u};
  paintBadge(image, distance, 6, 0.02, random);
  std::free(distance);
  paintPlanet(image);
  const int32_t textX = static_cast<int32_t>(logoCentre) - 31;
  lettering(image, "VORN", textX + 1, 57, 2, textShadow);
  lettering(image, "VORN", textX, 56, 2, goldText);
  lettering(image, "2112", textX + 1, 79, 2, textShadow);
  lettering(image, "2112", textX, 78, 2, cyanText);
  return image;
}

// A smooth, saturated spectrum: one turn of hue as three shifted raised
// cosines, squared so that the mixed hues stay clear; channels 0..1.
static Rgb hue(double turns) {
  auto lobe = [](double t) {
    double c = 0.5 + 0.5 * sine(t + 0.25);
    return c * c;
  };
  return {lobe(turns), lobe(turns - 1.0 / 3), lobe(turns - 2.0 / 3)};
}

Image *paintRainbow() {
  Image *image = IMGMake(rainbowWidth, rainbowHeight);
  if (image == nullptr) return nullptr;
  for (int32_t y = 0; y < rainbowHeight; ++y)
    for (int32_t x = 0; x < rainbowWidth; ++x) {
      double u = (x + 0.5) / rainbowWidth, v = (y + 0.5) / rainbowHeight;
      // Slanted bands with a gentle wave; fading out at both sides so the
      // copy's edges never show as lines.
      double band = 1.2 * u + 1.6 * v + 0.06 * sine(2 * v + 0.1);
      double envelope = sine(u / 2);
      envelope *= envelope;
      double pulse = 0.75 + 0.25 * sine(3 * band);
      Rgb c = scale(hue(band), rainbowPeak * envelope * pulse);
      image->pixels[y * rainbowWidth + x] = opaque(c);
    }
  return image;
}

}  // namespace assets
