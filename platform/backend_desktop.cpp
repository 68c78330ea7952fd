// The desktop platform: SDL 1.2 under a window system, the classic library
// or the compatibility layer over SDL 2. SDL blits the frame to the screen
// and converts it to the screen's format on the way when that differs; this
// file copies no pixel itself, except from images too wide for an SDL
// surface (below).
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "os/os.h"
#include "platform/backend.h"

// The compatibility layer over SDL 2 reports versions from 1.2.50 on.
static bool overSdl2() {
  const SDL_version *linked = SDL_Linked_Version();
  return linked != nullptr && linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
}

// When SDL 1.2 runs over SDL 2 and nothing could reach a Wayland compositor
// (none of SDL_VIDEODRIVER, WAYLAND_DISPLAY and XDG_RUNTIME_DIR is set),
// names the drivers that could still show a window (X11, then the console's
// kmsdrm), so that SDL 2 does not probe Wayland, which prints a complaint of
// its own on standard error. The classic library has no Wayland driver.
static void skipUnreachableDrivers() {
  for (const char *name : {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
    if (std::getenv(name) != nullptr) return;
  OSSetVariable("SDL_VIDEODRIVER", "x11,kmsdrm", false);
}

// The layer shows a full-screen mode smaller than the screen scaled up to
// it, by default with linear filtering; the demo's pixels are meant to stay
// square and sharp. A method the user set is kept. The classic library sets
// a real video mode and scales nothing.
static void scaleByNearestPixel() { OSSetVariable("SDL12COMPAT_SCALE_METHOD", "nearest", false); }

void backendPrepareProcess() {
  if (!overSdl2()) return;
  skipUnreachableDrivers();
  scaleByNearestPixel();
}

const char *backendInstalledFolder(const char *relative, const char *fixed) {
  return OSInstalledFolder(relative, fixed);
}

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

void backendScreenForget() {
  if (wrapped.surface != nullptr) SDL_FreeSurface(wrapped.surface);
  wrapped = {};
}

static SDL_Surface *surfaceOver(const Image *image, int32_t w, int32_t h) {
  if (wrapped.surface != nullptr && wrapped.pixels == image->pixels &&
      wrapped.imageWidth == image->width && wrapped.w == w && wrapped.h == h)
    return wrapped.surface;
  backendScreenForget();
  SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(image->pixels, w, h, 32, image->width * 4,
                                                  0x00FF0000, 0x0000FF00, 0x000000FF, 0);
  if (surface != nullptr) wrapped = {surface, image->pixels, image->width, w, h};
  return surface;
}

void backendScreenPrepare(SDL_Surface *) {}

// SDL 1.2 keeps a surface's row length (pitch) in 16 bits, so a surface
// cannot wrap rows of more than this many pixels in place.
constexpr int32_t widestWrappedRow = 65535 / 4;

// Rows too long to wrap: the shown w x h pixels are copied into an image of
// their own first, for this present alone (a blit onto zero pixels copies
// every pixel).
static void putCompactCopy(SDL_Surface *screen, const Image *image, int32_t w, int32_t h) {
  Image *shown = IMGMake(w, h);
  if (shown == nullptr) return;
  IMGBlit(image, shown, 0, 0, 0, 0, w, h);
  backendScreenPut(screen, shown, w, h);
  backendScreenForget();  // the copy goes now; nothing may keep wrapping it
  IMGFree(&shown);
}

void backendScreenPut(SDL_Surface *screen, const Image *image, int32_t w, int32_t h) {
  if (image->width > widestWrappedRow) {
    putCompactCopy(screen, image, w, h);
    return;
  }
  SDL_Surface *surface = surfaceOver(image, w, h);
  if (surface != nullptr) SDL_UpperBlit(surface, nullptr, screen, nullptr);
}
