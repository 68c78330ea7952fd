// The web-browser platform. There SDL 1.2 is an emulation over a
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
#include "platform/backend.h"

// The converted frame, screen-sized, made with the mode and kept until the
// screen goes; its first w x h pixels are the latest present's rows.
static uint32_t *canvasStore = nullptr;

// clang-format off
// The ImageData over the store is kept from one present to the next, made
// again when the store, its size or the memory under it changes (memory that
// grows leaves the old view empty). A page that measures (Module.vornTimes,
// see web/vorn2112-page.js) is told how long the present's two halves took:
// converting the pixels, from `start` on, and handing them to the canvas.
EM_JS(void, putOnCanvas, (const uint32_t *store, int32_t w, int32_t h, double start), {
  var converted = performance.now();
  var held = Module['vornScreen'];
  if (!held || held.data.buffer !== HEAPU8.buffer || held.data.byteOffset !== store ||
      held.width !== w || held.height !== h) {
    held = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, store, w * h * 4), w, h);
    Module['vornScreen'] = held;
  }
  Module['canvas'].getContext('2d').putImageData(held, 0, 0);
  var times = Module['vornTimes'];
  if (times) {
    times.note('conversion', converted - start);
    times.note('handOver', performance.now() - converted);
  }
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

void backendScreenForget() {
  std::free(canvasStore);
  canvasStore = nullptr;
  EM_ASM(delete Module['vornScreen']);
}

// Makes the store for the new screen and paints the canvas opaque black.
// Without a store the presents show nothing.
void backendScreenPrepare(SDL_Surface *screen) {
  backendScreenForget();
  canvasStore = static_cast<uint32_t *>(
      std::malloc(static_cast<size_t>(screen->w) * static_cast<size_t>(screen->h) * 4));
  clearCanvas();
}

void backendScreenPut(SDL_Surface *, const Image *image, int32_t w, int32_t h) {
  if (canvasStore == nullptr) return;
  double start = emscripten_get_now();
  const uint32_t *from = image->pixels;
  uint32_t *to = canvasStore;
  for (int32_t y = 0; y < h; y++, from += image->width, to += w)
    IMGRowMap(to, from, w, canvasOrder);
  putOnCanvas(canvasStore, w, h, start);
}

// SDL's video is the page's canvas, which needs no choice of driver or
// scaling.
void backendPrepareProcess() {}

// Nothing is installed beside the page: its pictures come with it, into the
// working directory.
const char *backendInstalledFolder(const char *, const char *) { return ""; }
