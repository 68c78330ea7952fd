// The display singleton over SDL 1.2.
#include "platform/display.h"

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#ifndef VORN_VIDEO_FLAGS
#define VORN_VIDEO_FLAGS 0x10000001u
#endif

[[maybe_unused]] static const char *const sdldpyIdentification[] = {"", "20081029",
                                                                    "VORN2112 developers"};

static Display *theDisplay = nullptr;
static SDL_Surface *screen = nullptr;  // owned by SDL
static Uint32 videoFlags = 0;
static bool doubleBuffered = false;  // SDL granted SDL_DOUBLEBUF: present with SDL_Flip

#ifdef __EMSCRIPTEN__
// In a web browser SDL 1.2 is an emulation over a canvas that differs from
// the real library exactly where the desktop present stands: blits copy
// bytes in memory order whatever the masks say, a surface over foreign
// pixels copies them once when made, and flips and updates do nothing. What
// it does do: a lock hands out the screen's pixel store and the unlock puts
// that store on the canvas. So the browser's present writes every pixel
// itself, converted into the screen's masks with the alpha channel opaque
// (a canvas blends by alpha), between a lock and an unlock.
//
// The store is the emulation's own, kept from one lock to the next; nothing
// else draws on the canvas, so the lock need neither read the canvas back
// nor make it opaque (both cost a pass over every pixel).
// clang-format off
EM_JS(void, keepScreenStore, (), {
  SDL.defaults.discardOnLock = true;
  SDL.defaults.opaqueFrontBuffer = false;
});
// clang-format on

// Where each 8-bit channel of 0x00RRGGBB goes in a screen pixel.
struct ScreenLayout {
  int red, green, blue;  // left shifts of the channels
  uint32_t opaque;       // the alpha mask: every pixel is fully opaque
};
static ScreenLayout layout = {};

static int shiftOf(Uint32 mask) { return mask == 0 ? 0 : __builtin_ctz(mask); }

static void dropWrapped() {}

static void copyRows(const Image *image, int32_t w, int32_t h) {
  auto *row = static_cast<uint8_t *>(screen->pixels);
  const uint32_t *from = image->pixels;
  for (int32_t y = 0; y < h; ++y, row += screen->pitch, from += image->width) {
    auto *to = reinterpret_cast<uint32_t *>(row);
    for (int32_t x = 0; x < w; ++x) {
      uint32_t p = from[x];
      to[x] = (p >> 16 & 0xFF) << layout.red | (p >> 8 & 0xFF) << layout.green |
              (p & 0xFF) << layout.blue | layout.opaque;
    }
  }
}

// Learns the new screen's layout and paints it opaque black.
static void prepareScreen() {
  keepScreenStore();
  const SDL_PixelFormat *format = screen->format;
  layout = {shiftOf(format->Rmask), shiftOf(format->Gmask), shiftOf(format->Bmask), format->Amask};
  if (SDL_LockSurface(screen) != 0) return;
  for (int32_t y = 0; y < screen->h; ++y) {
    auto *row =
        reinterpret_cast<uint32_t *>(static_cast<uint8_t *>(screen->pixels) + y * screen->pitch);
    for (int32_t x = 0; x < screen->w; ++x) row[x] = layout.opaque;
  }
  SDL_UnlockSurface(screen);
}
#else
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

static void dropWrapped() {
  if (wrapped.surface != nullptr) SDL_FreeSurface(wrapped.surface);
  wrapped = {};
}

static SDL_Surface *surfaceOver(const Image *image, int32_t w, int32_t h) {
  if (wrapped.surface != nullptr && wrapped.pixels == image->pixels &&
      wrapped.imageWidth == image->width && wrapped.w == w && wrapped.h == h)
    return wrapped.surface;
  dropWrapped();
  SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(image->pixels, w, h, 32, image->width * 4,
                                                  0x00FF0000, 0x0000FF00, 0x000000FF, 0);
  if (surface != nullptr) wrapped = {surface, image->pixels, image->width, w, h};
  return surface;
}

static void prepareScreen() {}
#endif

void SDLDPYError() {
#ifdef SDLDPY_REPORT_ERRORS
  std::fputs("SDLDPY error\n", stdout);
#endif
}

static bool isTheDisplay(const Display *display) {
  return display != nullptr && display == theDisplay;
}

void SDLDPYSkipUnreachableDrivers() {
  // The compatibility library over SDL 2 reports versions from 1.2.50 on.
  const SDL_version *linked = SDL_Linked_Version();
  bool overSdl2 =
      linked != nullptr && linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
  if (!overSdl2) return;
  for (const char *name : {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
    if (std::getenv(name) != nullptr) return;
  setenv("SDL_VIDEODRIVER", "x11,kmsdrm", 0);
}

bool SDLDPYExists() { return theDisplay != nullptr; }

Display *SDLDPYNew() {
  if (theDisplay != nullptr) {
    SDLDPYError();
    return theDisplay;
  }
  theDisplay = static_cast<Display *>(std::calloc(1, sizeof(Display)));
  if (theDisplay == nullptr) {
    SDLDPYError();
    return nullptr;
  }
  SDLDPYSetMode(theDisplay, 256, 256);
  return theDisplay;
}

void SDLDPYFree(Display **display) {
  if (display == nullptr || !isTheDisplay(*display)) {
    SDLDPYError();
    return;
  }
  dropWrapped();
  SDL_FreeSurface(screen);
  screen = nullptr;
  std::free(theDisplay);
  theDisplay = nullptr;
  *display = nullptr;
}

const char *SDLDPYToASCII(const Display *display) {
  if (!isTheDisplay(display)) {
    SDLDPYError();
    return nullptr;
  }
  return "";
}

Display *SDLDPYFromASCII(const char *text) {
  if (text == nullptr || theDisplay != nullptr) SDLDPYError();
  return nullptr;
}

bool SDLDPYEqual(const Display *a, const Display *b) {
  if (a == nullptr || b == nullptr || a != b || !isTheDisplay(a)) {
    SDLDPYError();
    return false;
  }
  return true;
}

Display *SDLDPYCopy(Display *display) {
  if (!isTheDisplay(display)) {
    SDLDPYError();
    return nullptr;
  }
  return display;
}

void SDLDPYSetMode(Display *display, int32_t width, int32_t height) {
  if (display == nullptr || width < 0 || height < 0 || theDisplay == nullptr) {
    SDLDPYError();
    return;
  }
  dropWrapped();
  if (screen != nullptr) SDL_FreeSurface(screen);
  videoFlags = VORN_VIDEO_FLAGS;
  screen = SDL_SetVideoMode(width, height, 0, videoFlags);
  if (screen == nullptr) {
    SDLDPYError();
    return;
  }
  SDL_WM_SetCaption("VORN2112", "VORN2112");
  theDisplay->depth = screen->format->BitsPerPixel;
  theDisplay->width = width;
  theDisplay->height = height;
  doubleBuffered = (screen->flags & SDL_DOUBLEBUF) != 0;
  prepareScreen();
}

static void showScreen() {
  if (doubleBuffered)
    SDL_Flip(screen);
  else
    SDL_UpdateRect(screen, 0, 0, 0, 0);
}

// Copies the top-left w x h pixels of the image to the screen's top-left
// corner. On the desktop SDL converts them to the screen's format on the way
// when it differs, and the module copies no pixel itself.
static void blitToScreen(const Image *image, int32_t w, int32_t h) {
  if (w <= 0 || h <= 0) return;
#ifdef __EMSCRIPTEN__
  if (SDL_LockSurface(screen) != 0) return;
  copyRows(image, w, h);
  SDL_UnlockSurface(screen);
#else
  SDL_Surface *surface = surfaceOver(image, w, h);
  if (surface != nullptr) SDL_UpperBlit(surface, nullptr, screen, nullptr);
#endif
}

static bool canPresent(const Display *display, const Image *image) {
  return isTheDisplay(display) && image != nullptr && image->pixels != nullptr && screen != nullptr;
}

static bool matchesDisplay(const Image *image) {
  return image->width == theDisplay->width && image->height == theDisplay->height;
}

void SDLDPYShow(Display *display, const Image *image) {
  if (!canPresent(display, image)) {
    SDLDPYError();
    return;
  }
  int32_t w = image->width < display->width ? image->width : display->width;
  int32_t h = image->height < display->height ? image->height : display->height;
  blitToScreen(image, w, h);
  showScreen();
}

void SDLDPYPutPixels(Display *display, const Image *image) {
  if (!canPresent(display, image) || !matchesDisplay(image)) {
    SDLDPYError();
    return;
  }
  blitToScreen(image, image->width, image->height);
  showScreen();
}

void SDLDPYFlip(Display *display, const Image *image) {
  if (!canPresent(display, image) || !matchesDisplay(image)) {
    SDLDPYError();
    return;
  }
  showScreen();
}

bool SDLDPYIsVisible(const Display *display) {
  if (!isTheDisplay(display) || screen == nullptr) return false;
  char name[32] = "";
  if (SDL_VideoDriverName(name, sizeof name) == nullptr) return false;
  // The drivers SDL falls back to when it finds no window system: invisible
  // ones, and the classic library's text-terminal renderers.
  static const char *const fallbacks[] = {"offscreen", "dummy", "caca", "aalib"};
  bool fallback = false;
  for (const char *driver : fallbacks) fallback = fallback || std::strcmp(name, driver) == 0;
  if (!fallback) return true;
  const char *asked = std::getenv("SDL_VIDEODRIVER");
  return asked != nullptr && std::strcmp(asked, name) == 0;
}
