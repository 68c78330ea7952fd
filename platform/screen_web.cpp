// The display's web-browser back end. There SDL 1.2 is an emulation over a
// canvas that differs from the real library exactly where the desktop
// present stands: blits copy bytes in memory order whatever the masks say, a
// surface over foreign pixels copies them once when made, and flips and
// updates do nothing. What it does do: a lock hands out the screen's pixel
// store and the unlock puts that store on the canvas. So the present writes
// every pixel itself, converted into the screen's masks with the alpha
// channel opaque (a canvas blends by alpha), between a lock and an unlock.
// The pixels shown are the same as on the desktop.
#include <emscripten.h>

#include "platform/durations_web.h"
#include "platform/screen.h"

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

static void copyRows(SDL_Surface *screen, const Image *image, int32_t w, int32_t h) {
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
void screenPrepare(SDL_Surface *screen) {
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

// How long the latest presents took in their two halves, for the page's
// measurements: converting the pixels, and handing them to the canvas.
static Durations conversions = {}, handOvers = {};

void screenPut(SDL_Surface *screen, const Image *image, int32_t w, int32_t h) {
  if (SDL_LockSurface(screen) != 0) return;
  double start = emscripten_get_now();
  copyRows(screen, image, w, h);
  double converted = emscripten_get_now();
  SDL_UnlockSurface(screen);
  durationsNote(&conversions, converted - start);
  durationsNote(&handOvers, emscripten_get_now() - converted);
}

extern "C" {
EMSCRIPTEN_KEEPALIVE double vornMedianConversionMs() { return durationsMedian(&conversions); }
EMSCRIPTEN_KEEPALIVE double vornMedianHandOverMs() { return durationsMedian(&handOvers); }
}

void screenForget() {}
