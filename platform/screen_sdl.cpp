// The display's desktop back end: SDL blits the frame to the screen and
// converts it to the screen's format on the way when that differs; the module
// copies no pixel itself.
#include "platform/screen.h"

// The surface that the presents blit from: it wraps the pixel array of the
// image last shown (the top-left w x h pixels, rows of the image's own width
// x 4 bytes, the top byte ignored) and is kept from one present to the next,
// so a running demo creates no surface and copies its frame once, straight
// from its back buffer to the screen. It is made again when the pixel array,
// the image's width or the shown size changes, and dropped with the screen.
struct WrappedImage {
  SDL_Surface *surface;
  const uint32_t *pixels;
  int32_t imageWidth, w, h;
};
static WrappedImage wrapped = {};

void screenForget() {
  if (wrapped.surface != nullptr) SDL_FreeSurface(wrapped.surface);
  wrapped = {};
}

static SDL_Surface *surfaceOver(const Image *image, int32_t w, int32_t h) {
  if (wrapped.surface != nullptr && wrapped.pixels == image->pixels &&
      wrapped.imageWidth == image->width && wrapped.w == w && wrapped.h == h)
    return wrapped.surface;
  screenForget();
  SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(image->pixels, w, h, 32, image->width * 4,
                                                  0x00FF0000, 0x0000FF00, 0x000000FF, 0);
  if (surface != nullptr) wrapped = {surface, image->pixels, image->width, w, h};
  return surface;
}

void screenPrepare(SDL_Surface *) {}

void screenPut(SDL_Surface *screen, const Image *image, int32_t w, int32_t h) {
  SDL_Surface *surface = surfaceOver(image, w, h);
  if (surface != nullptr) SDL_UpperBlit(surface, nullptr, screen, nullptr);
}
