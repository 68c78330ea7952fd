// The display's web-browser back end. There SDL 1.2 is an emulation over a
// canvas that differs from the real library exactly where the desktop
// present stands: blits copy bytes in memory order whatever the masks say,
// and flips and updates do nothing; only a lock and an unlock of the screen
// reach the canvas, the unlock copying the whole surface into an ImageData
// before putting that on the canvas.
//
// So the present does without SDL's surface: it converts the frame into a
// store of its own in WebAssembly memory, in the canvas's byte order (red,
// green, blue, then an opaque alpha, as a canvas blends by alpha), with
// WebAssembly's 128-bit vectors, and puts that store on the canvas with one
// putImageData of an ImageData that is a view of the store: one pass over
// the pixels in WebAssembly, one copy by the browser, no JavaScript per pixel.
// The pixels shown are the same as on the desktop.
#include <emscripten.h>

#include <cstdlib>

#include "img/simd.h"
#include "platform/durations_web.h"
#include "platform/screen.h"

// The converted frame, screen-sized, made with the mode and kept until the
// screen goes; its first w x h pixels are the latest present's rows.
static uint32_t *canvasStore = nullptr;

// clang-format off
// The ImageData over the store is kept from one present to the next, made
// again when the store, its size or the memory under it changes (memory that
// grows leaves the old view empty).
EM_JS(void, putOnCanvas, (const uint32_t *store, int32_t w, int32_t h), {
  var held = Module['vornScreen'];
  if (!held || held.data.buffer !== HEAPU8.buffer || held.data.byteOffset !== store ||
      held.width !== w || held.height !== h) {
    held = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, store, w * h * 4), w, h);
    Module['vornScreen'] = held;
  }
  Module['canvas'].getContext('2d').putImageData(held, 0, 0);
});

// The whole canvas opaque black, as the desktop's new screen.
EM_JS(void, clearCanvas, (), {
  var canvas = Module['canvas'];
  var context = canvas.getContext('2d');
  context.fillStyle = '#000';
  context.fillRect(0, 0, canvas.width, canvas.height);
});
// clang-format on

// 0x00RRGGBB, whose bytes lie B, G, R, 0 in memory, to the canvas's R, G, B
// and an opaque alpha; written once for a vector of pixels and for one, and
// run over each row by the vector layer (WebAssembly's 128-bit vectors).
static constexpr auto canvasOrder = [](auto &to, const auto &p) {
  to = (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16 | 0xFF000000u;
};

void screenForget() {
  std::free(canvasStore);
  canvasStore = nullptr;
  EM_ASM(delete Module['vornScreen']);
}

// Makes the store for the new screen and paints the canvas opaque black.
// Without a store the presents show nothing.
void screenPrepare(SDL_Surface *screen) {
  screenForget();
  canvasStore = static_cast<uint32_t *>(
      std::malloc(static_cast<size_t>(screen->w) * static_cast<size_t>(screen->h) * 4));
  clearCanvas();
}

// How long the latest presents took in their two halves, for the page's
// measurements: converting the pixels, and handing them to the canvas.
static Durations conversions = {}, handOvers = {};

void screenPut(SDL_Surface *, const Image *image, int32_t w, int32_t h) {
  if (canvasStore == nullptr) return;
  double start = emscripten_get_now();
  const uint32_t *from = image->pixels;
  uint32_t *to = canvasStore;
  for (int32_t y = 0; y < h; y++, from += image->width, to += w)
    IMGRowMap(to, from, w, canvasOrder);
  double converted = emscripten_get_now();
  putOnCanvas(canvasStore, w, h);
  durationsNote(&conversions, converted - start);
  durationsNote(&handOvers, emscripten_get_now() - converted);
}

extern "C" {
EMSCRIPTEN_KEEPALIVE double vornMedianConversionMs() { return durationsMedian(&conversions); }
EMSCRIPTEN_KEEPALIVE double vornMedianHandOverMs() { return durationsMedian(&handOvers); }
}
