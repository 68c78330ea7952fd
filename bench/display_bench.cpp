// The image core and the present against SDL's own code, on the same data:
//   IMGBlit of a full-screen picture with zero pixels, against SDL_BlitSurface
//   of the same pixels with SDL_SRCCOLORKEY 0;
//   SDLDPYShow of a full-screen image under SDL's dummy video driver, against
//   one plain SDL_BlitSurface of an equivalent 32-bit surface to the screen
//   plus the same flip or update. `allocs_per_call` counts the present's heap
//   allocations once it is running.
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/vorn2112.h"
#include "bench/pair.h"
#include "tests/alloc_hook.h"

namespace {

constexpr int32_t W = defaultWidth, H = defaultHeight;

// The moor scaled to the whole screen: a picture whose sky is zero pixels.
Image *fullScreenPicture() {
  static Image *picture = [] {
    Image *loaded = IMGLoad("vorn-fernmoor.ppm");
    Image *scaled = loaded != nullptr ? IMGScale(loaded, W, H) : nullptr;
    if (loaded != nullptr) IMGFree(&loaded);
    return scaled;
  }();
  return picture;
}

// A 32-bit 0x00RRGGBB surface over an image's pixels (no alpha channel).
SDL_Surface *surfaceOver(Image *image) {
  return SDL_CreateRGBSurfaceFrom(image->pixels, image->width, image->height, 32, image->width * 4,
                                  0x00FF0000, 0x0000FF00, 0x000000FF, 0);
}

// The display in the windowed size under SDL's dummy driver, made once.
Display *dummyDisplay() {
  static Display *made = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_NOPARACHUTE) != 0) return static_cast<Display *>(nullptr);
    Display *d = SDLDPYNew();
    SDLDPYSetMode(d, W, H);
    return SDL_GetVideoSurface() != nullptr ? d : nullptr;
  }();
  return made;
}

void BlitVsSDLColourKey(benchmark::State &state) {
  Image *picture = fullScreenPicture();
  if (picture == nullptr || dummyDisplay() == nullptr) {
    state.SkipWithError("no pictures (run in build/bin) or no SDL");
    return;
  }
  Image *ours = IMGCopy(picture), *theirs = IMGCopy(picture);
  std::fill(ours->pixels, ours->pixels + W * H, 0x00204060u);
  std::fill(theirs->pixels, theirs->pixels + W * H, 0x00204060u);
  SDL_Surface *source = surfaceOver(picture), *target = surfaceOver(theirs);
  SDL_SetColorKey(source, SDL_SRCCOLORKEY, 0);
  measurePair(
      state, 1, [&] { IMGBlit(picture, ours, 0, 0, 0, 0, W, H); },
      [&] { SDL_BlitSurface(source, nullptr, target, nullptr); });
  state.SetLabel("640x480, zero pixels skipped");
  if (std::memcmp(ours->pixels, theirs->pixels, static_cast<size_t>(W) * H * 4) != 0)
    state.SkipWithError("IMGBlit and SDL's colour-key blit disagree");
  SDL_FreeSurface(source);
  SDL_FreeSurface(target);
  IMGFree(&ours);
  IMGFree(&theirs);
}
VORN_PAIR(BlitVsSDLColourKey);

void ShowVsSDLBlit(benchmark::State &state) {
  Image *picture = fullScreenPicture();
  Display *d = dummyDisplay();
  if (picture == nullptr || d == nullptr) {
    state.SkipWithError("no pictures (run in build/bin) or no SDL");
    return;
  }
  Image *frame = IMGCopy(picture);
  SDL_Surface *screen = SDL_GetVideoSurface();
  SDL_Surface *equivalent =
      SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
  SDL_LockSurface(equivalent);
  for (int32_t y = 0; y < H; ++y)
    std::memcpy(static_cast<uint8_t *>(equivalent->pixels) + y * equivalent->pitch,
                frame->pixels + y * W, W * 4);
  SDL_UnlockSurface(equivalent);
  SDLDPYShow(d, frame);  // the first present may set itself up
  long allocations = 0;
  long calls = 0;
  measurePair(
      state, 1,
      [&] {
        const long before = allocationCount();
        SDLDPYShow(d, frame);
        allocations += allocationCount() - before;
        ++calls;
      },
      [&] {
        SDL_BlitSurface(equivalent, nullptr, screen, nullptr);
        if (screen->flags & SDL_DOUBLEBUF)
          SDL_Flip(screen);
        else
          SDL_UpdateRect(screen, 0, 0, 0, 0);
      });
  state.counters["allocs_per_call"] =
      calls > 0 ? static_cast<double>(allocations) / static_cast<double>(calls) : 0;
  state.SetLabel("640x480 to the dummy screen");
  SDL_FreeSurface(equivalent);
  IMGFree(&frame);
}
VORN_PAIR(ShowVsSDLBlit);

}  // namespace
