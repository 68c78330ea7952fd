// The scene: its pictures, geometry, the frame's stages and motion.
#include "app/scene.h"

#include <cstdio>
#include <cstring>

#include "app/bars.h"
#include "app/effects.h"
#include "app/message.h"
#include "app/pictures.h"
#include "app/random.h"
#include "app/vorn2112.h"
#include "app/wrap.h"
#include "img/img.h"
#include "img/sine.h"
#include "raster/raster.h"
#include "text/font.h"
#include "text/scroll.h"

// Motion per frame. Letter n runs letterStep[k] * n table steps ahead of
// letter 0 on phase k.
static const int32_t letterSpeed[4] = {-11, -9, -5, -7};
static const int32_t letterStep[4] = {60, 40, 50, 30};
static const int32_t rainbowSpeed[2] = {13, 17};
static const int32_t rainbowStart[2] = {0, 233};

static bool load(Image **slot, const char *name) {
  *slot = VORN2112LoadPicture(name, demo.programName);  // says why when it fails
  return *slot != nullptr;
}

bool VORN2112LoadScene() {
  static const char *const letterFiles[4] = {"V.ppm", "O.ppm", "R.ppm", "N.ppm"};
  demo.textFont = FONTNew();
  if (demo.textFont == nullptr) {
    VORN2112OutOfMemory();
    return false;
  }
  demo.textFont->width = 8;
  demo.textFont->height = 8;
  if (!load(&demo.textFont->sheet, "font8x8.pbm")) return false;
  for (int n = 0; n < 4; ++n)
    if (!load(&demo.letterSprites[n], letterFiles[n])) return false;
  const Image *v = demo.letterSprites[0];
  demo.letterAmplitude[0] = demo.letterAmplitude[1] = (defaultWidth - v->width) / 2;
  demo.letterAmplitude[2] = demo.letterAmplitude[3] = (defaultHeight - v->height) / 2;
  return load(&demo.dissolvePicture, "vorn-fernmoor.ppm") &&
         load(&demo.logoPicture, "vorn-2008.ppm") && load(&demo.rainbowPicture, "vorn-rainbow.ppm");
}

// Frame 0's motion: the phases, the bars and the random sequence at their
// start, the frame counter at 0.
static void startMotion() {
  const int32_t W = demo.backBuffer->width;
  demo.frame = 0;
  demo.quitRequested = false;
  for (int32_t &phase : demo.letterPhase) phase = 0;
  for (int k = 0; k < 2; ++k) demo.rainbowPhase[k] = rainbowStart[k];
  demo.rainbowAmplitude[0] = W;
  demo.rainbowAmplitude[1] = W * 3 / 2;
  std::memcpy(demo.barTable, barColours, sizeof demo.barTable);
  demo.bars = {barCount, 0, demo.barTable};
  VORN2112RandomRestart();
}

bool VORN2112PrepareScene() {
  const int32_t W = demo.backBuffer->width, H = demo.backBuffer->height;
  startMotion();
  demo.dissolveImage = IMGScale(demo.dissolvePicture, W, H / 2);
  demo.logoImage = IMGScale(demo.logoPicture, W / 6, H / 4);
  demo.rainbowImage = IMGScale(demo.rainbowPicture, W / 2, H);
  demo.rasterStrip = IMGMake(W, 8);
  demo.textStrip = IMGMake(W, 8);
  demo.scroller = SCROLLNew();
  // SCROLLSet changes nothing when it cannot make its cursor: the target
  // stays unset then.
  if (demo.scroller != nullptr && demo.textStrip != nullptr)
    SCROLLSet(demo.scroller, vornMessage, demo.textFont, demo.textStrip);
  if (demo.dissolveImage == nullptr || demo.logoImage == nullptr || demo.rainbowImage == nullptr ||
      demo.rasterStrip == nullptr || demo.textStrip == nullptr || demo.scroller == nullptr ||
      demo.scroller->target != demo.textStrip) {
    VORN2112OutOfMemory();
    return false;
  }
  demo.scroller->x = 0;
  demo.scroller->y = demo.textStrip->height - demo.textFont->height;
  demo.scroller->width = demo.textStrip->width;
  return true;
}

// Displacement of a phase: a sine-table entry times an amplitude, shifted
// right. The product is taken in 64 bits, as an amplitude that comes from a
// picture's size can be large.
static int32_t swing(int32_t phase, int32_t amplitude, int shift) {
  return static_cast<int32_t>((int64_t{SineTable[phase]} * amplitude) >> shift);
}

// Left edge of rainbow copy k: centred, swung by up to half its amplitude.
static int32_t rainbowX(int k) {
  return (demo.backBuffer->width - demo.rainbowImage->width) / 2 +
         swing(demo.rainbowPhase[k], demo.rainbowAmplitude[k], 16);
}

static void blitWhole(const Image *picture, int32_t x, int32_t y) {
  IMGBlit(picture, demo.backBuffer, 0, 0, x, y, picture->width, picture->height);
}

// A frame's stages, numbered as the README, the benchmarks and the tests
// count them: 1 to 16 compose the back buffer; the life cycle then presents
// it, and stage 17 moves the rainbows.
static void compose() {
  Image *screen = demo.backBuffer;
  const int32_t W = screen->width, H = screen->height;
  VORN2112Dissolve(demo.dissolveImage, defaultWidth * defaultHeight / 10 + 1);  // 1
  IMGClear(screen);                                                             // 2
  VORN2112Stars(screen, 21);                                                    // 3
  blitWhole(demo.dissolveImage, 0, H / 5);                                      // 4
  blitWhole(demo.logoImage, W * 3 / 4, H * 2 / 3);                              // 5
  VORN2112BlitAdd(demo.rainbowImage, screen, rainbowX(0), 0);                   // 6
  VORN2112BlitAdd(demo.rainbowImage, screen, rainbowX(1), 0);                   // 7
  RASTERDraw(&demo.bars, demo.rasterStrip);                                     // 8
  RASTERAdvance(&demo.bars);                                                    // 9
  IMGClear(demo.textStrip);                                                     // 10
  SCROLLDraw(demo.scroller);                                                    // 11
  SCROLLAdvance(demo.scroller);                                                 // 12
  VORN2112Mask(demo.rasterStrip, demo.textStrip);                               // 13
  blitWhole(demo.textStrip, 0, H - 8);                                          // 14
  VORN2112PlaceSprites();                                                       // 15
  VORN2112AdvanceSprites();                                                     // 16
}

static void advance() {
  for (int k = 0; k < 2; ++k)  // 17
    demo.rainbowPhase[k] = wrap(demo.rainbowPhase[k] + rainbowSpeed[k], sinePeriod);
}

void VORN2112PlaceSprites() {
  for (int n = 3; n >= 0; --n) {
    const Image *letter = demo.letterSprites[n];
    int32_t term[4];
    for (int k = 0; k < 4; ++k)
      term[k] = swing((letterStep[k] * n + demo.letterPhase[k]) % sinePeriod,
                      demo.letterAmplitude[k], 15);
    int32_t x = term[0] + term[1] + (defaultWidth - letter->width) / 2;
    int32_t y = term[2] + term[3] + (defaultHeight - letter->height) / 2;
    blitWhole(letter, x, y);
  }
}

void VORN2112AdvanceSprites() {
  for (int k = 0; k < 4; ++k)
    demo.letterPhase[k] = wrap(demo.letterPhase[k] + letterSpeed[k], sinePeriod);
}

// Frees an image that may never have been made (set-up stops at the first
// picture that cannot be loaded, the preparation at the first failed one).
static void release(Image **image) {
  if (*image != nullptr) IMGFree(image);
}

void VORN2112ReleaseScene() {
  release(&demo.dissolveImage);
  release(&demo.logoImage);
  release(&demo.rainbowImage);
  release(&demo.rasterStrip);
  release(&demo.textStrip);
  if (demo.scroller != nullptr) SCROLLFree(&demo.scroller);
}

void VORN2112UnloadScene() {
  for (Image *&letter : demo.letterSprites) release(&letter);
  if (demo.textFont != nullptr) FONTFree(&demo.textFont);
  release(&demo.dissolvePicture);
  release(&demo.logoPicture);
  release(&demo.rainbowPicture);
}

const ScenePhases vorn2112Scene = {VORN2112LoadScene, VORN2112PrepareScene, compose,
                                   advance,           VORN2112ReleaseScene, VORN2112UnloadScene};
