// The desktop icon: the flying letter V on a starry night-blue tile with a
// gold bevelled rim, the corners rounded off and transparent.
#include <cstdlib>

#include "tools/assets.h"

namespace assets {

static bool insideRoundedSquare(int32_t size, double radius, double x, double y) {
  double cx = x < radius ? radius : (x > size - radius ? size - radius : x);
  double cy = y < radius ? radius : (y > size - radius ? size - radius : y);
  double dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

Image *paintIcon() {
  Image *image = IMGMake(iconSize, iconSize);
  if (image == nullptr) return nullptr;
  for (int32_t y = 0; y < iconSize; ++y)
    for (int32_t x = 0; x < iconSize; ++x)
      if (insideRoundedSquare(iconSize, iconSize / 5.0, x + 0.5, y + 0.5))
        image->pixels[y * iconSize + x] = 1;
  double *distance = distanceToEdge(image, 10);
  Image *letter = paintLetter('V');
  // The letter fills three quarters of the tile's height, centred.
  Image *scaled =
      letter == nullptr
          ? nullptr
          : IMGScale(letter, letter->width * iconSize * 3 / 4 / letter->height, iconSize * 3 / 4);
  if (distance == nullptr || scaled == nullptr) {
    std::free(distance);
    if (letter != nullptr) IMGFree(&letter);
    if (scaled != nullptr) IMGFree(&scaled);
    IMGFree(&image);
    return nullptr;
  }
  Random random{0x5EED0010u};
  paintBadge(image, distance, 7, 0.03, random);
  IMGBlit(scaled, image, 0, 0, (iconSize - scaled->width) / 2, (iconSize - scaled->height) / 2,
          scaled->width, scaled->height);
  std::free(distance);
  IMGFree(&letter);
  IMGFree(&scaled);
  return image;
}

}  // namespace assets
