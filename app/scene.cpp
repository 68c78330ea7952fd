// The scene: its pictures, geometry, frame stages and motion.
#include "app/scene.h"

#include <cstdio>

#include "app/bars.h"
#include "app/effects.h"
#include "app/message.h"
#include "app/pictures.h"
#include "app/vorn2112.h"
#include "img/img.h"
#include "img/sine.h"
#include "raster/raster.h"
#include "text/font.h"
#include "text/scroll.h"

// Loaded at set-up, released at tear-down.
static Font *textFont = nullptr;
static Image *letterSprites[4] = {};  // V, O, R, N
static Image *dissolvePicture = nullptr;
static Image *logoPicture = nullptr;
static Image *rainbowPicture = nullptr;
static Scroller *scroller = nullptr;  // made by the preparation

// Made by the preparation, released when the loop ends.
static Image *dissolveImage = nullptr;
static Image *logoImage = nullptr;
static Image *rainbowImage = nullptr;
static Image *rasterStrip = nullptr;
static Image *textStrip = nullptr;

// Motion. Phases are sine-table indices; phases 0 and 1 move the letters
// horizontally, 2 and 3 vertically. Letter n runs letterStep[k] * n table
// steps ahead of letter 0 on phase k.
static int32_t letterAmplitude[4] = {};
static int32_t letterPhase[4] = {};
static const int32_t letterSpeed[4] = {-11, -9, -5, -7};
static const int32_t letterStep[4] = {60, 40, 50, 30};
static int32_t rainbowPhase[2] = {0, 233};
static const int32_t rainbowSpeed[2] = {13, 17};
static int32_t rainbowAmplitude[2] = {};

// The bars live in static storage over the constant table; the raster module
// only reads a table it did not allocate.
static Raster bars = {barCount, 0, const_cast<uint32_t *>(barColours)};
static const char *const message = vornMessage;

static bool load(Image **slot, const char *name) {
  *slot = VORN2112LoadPicture(name);  // says why when it fails
  return *slot != nullptr;
}

bool VORN2112LoadScene() {
  static const char *const letterFiles[4] = {"V.ppm", "O.ppm", "R.ppm", "N.ppm"};
  textFont = FONTNew();
  if (textFont == nullptr) return false;
  textFont->width = 8;
  textFont->height = 8;
  if (!load(&textFont->sheet, "font8x8.pbm")) return false;
  for (int n = 0; n < 4; ++n)
    if (!load(&letterSprites[n], letterFiles[n])) return false;
  letterAmplitude[0] = letterAmplitude[1] = (defaultWidth - letterSprites[0]->width) / 2;
  letterAmplitude[2] = letterAmplitude[3] = (defaultHeight - letterSprites[0]->height) / 2;
  return load(&dissolvePicture, "vorn-fernmoor.ppm") && load(&logoPicture, "vorn-2008.ppm") &&
         load(&rainbowPicture, "vorn-rainbow.ppm");
}

static Image *newStrip(int32_t width) {
  Image *strip = IMGNew();
  IMGResize(strip, width, 8);
  return strip;
}

void VORN2112PrepareScene() {
  const int32_t W = backBuffer->width, H = backBuffer->height;
  rainbowAmplitude[0] = W;
  rainbowAmplitude[1] = W * 3 / 2;
  dissolveImage = IMGScale(dissolvePicture, W, H / 2);
  logoImage = IMGScale(logoPicture, W / 6, H / 4);
  rainbowImage = IMGScale(rainbowPicture, W / 2, H);
  rasterStrip = newStrip(W);
  textStrip = newStrip(W);
  scroller = SCROLLNew();
  SCROLLSet(scroller, message, textFont, textStrip);
  scroller->x = 0;
  scroller->y = textStrip->height - textFont->height;
  scroller->width = textStrip->width;
}

// Left edge of rainbow copy k: centred, swung by up to half its amplitude.
static int32_t rainbowX(int k) {
  int32_t swing = (SineTable[rainbowPhase[k]] * rainbowAmplitude[k]) >> 16;
  return (backBuffer->width - rainbowImage->width) / 2 + swing;
}

static void blitWhole(const Image *picture, int32_t x, int32_t y) {
  IMGBlit(picture, backBuffer, 0, 0, x, y, picture->width, picture->height);
}

void VORN2112DrawScene() {
  const int32_t W = backBuffer->width, H = backBuffer->height;
  VORN2112Dissolve(dissolveImage, defaultWidth * defaultHeight / 10 + 1);
  IMGClear(backBuffer);
  VORN2112Stars(backBuffer, 21);
  blitWhole(dissolveImage, 0, H / 5);
  blitWhole(logoImage, W * 3 / 4, H * 2 / 3);
  VORN2112BlitAdd(rainbowImage, backBuffer, rainbowX(0), 0);
  VORN2112BlitAdd(rainbowImage, backBuffer, rainbowX(1), 0);
  RASTERDraw(&bars, rasterStrip);
  RASTERAdvance(&bars);
  IMGClear(textStrip);
  SCROLLDraw(scroller);
  SCROLLAdvance(scroller);
  VORN2112Mask(rasterStrip, textStrip);
  blitWhole(textStrip, 0, H - 8);
  VORN2112PlaceSprites();
  VORN2112AdvanceSprites();
}

void VORN2112StepScene() {
  for (int k = 0; k < 2; ++k) rainbowPhase[k] = wrap(rainbowPhase[k] + rainbowSpeed[k], SinePeriod);
}

void VORN2112PlaceSprites() {
  for (int n = 3; n >= 0; --n) {
    const Image *letter = letterSprites[n];
    int32_t term[4];
    for (int k = 0; k < 4; ++k)
      term[k] = (SineTable[(letterStep[k] * n + letterPhase[k]) % SinePeriod] *
                 letterAmplitude[k]) >> 15;
    int32_t x = term[0] + term[1] + (defaultWidth - letter->width) / 2;
    int32_t y = term[2] + term[3] + (defaultHeight - letter->height) / 2;
    blitWhole(letter, x, y);
  }
}

void VORN2112AdvanceSprites() {
  for (int k = 0; k < 4; ++k) letterPhase[k] = wrap(letterPhase[k] + letterSpeed[k], SinePeriod);
}

// Frees an image that may never have been made (set-up stops at the first
// missing picture).
static void release(Image **image) {
  if (*image != nullptr) IMGFree(image);
}

void VORN2112ReleaseScene() {
  release(&dissolveImage);
  release(&logoImage);
  release(&rainbowImage);
  release(&rasterStrip);
  release(&textStrip);
}

void VORN2112UnloadScene() {
  for (Image *&letter : letterSprites) release(&letter);
  if (textFont != nullptr) FONTFree(&textFont);
  release(&dissolvePicture);
  release(&logoPicture);
  release(&rainbowPicture);
  if (scroller != nullptr) SCROLLFree(&scroller);
}
