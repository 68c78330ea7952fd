// The demo's skeleton: set-up, the run, tear-down.
#include "app/vorn2112.h"

#include <SDL.h>

#include <cstdio>

#include "app/effects.h"
#include "app/scene.h"

#ifndef VORN_PROGRAM_NAME
#define VORN_PROGRAM_NAME "vorn2112"
#endif

[[maybe_unused]] static const char *const vorn2112Identification[] = {
    "VORN2112",
    "20090219",
    "VORN2112 developers",
    "a software-rendered demo",
    "stars, a dissolving moor, rainbows, raster bars and flying letters",
    "keys: Escape, Q, q"};

Demo demo = [] {
  Demo initial{};  // everything null, false or 0
  initial.programName = VORN_PROGRAM_NAME;
  return initial;
}();

int VORN2112Main(int, char **) {
  bool ran = VORN2112Setup() && VORN2112Run();
  VORN2112Teardown();
  return ran ? 0 : 1;
}

void VORN2112OutOfMemory() { std::fprintf(stderr, "%s: out of memory\n", demo.programName); }

// The back buffer at the given size and the scene's pictures.
static bool setupScene(int32_t width, int32_t height) {
  demo.backBuffer = IMGMake(width, height);
  if (demo.backBuffer == nullptr) {
    VORN2112OutOfMemory();
    return false;
  }
  return VORN2112LoadScene();
}

bool VORN2112Setup() {
  demo.display = SDLDPYNew();
  demo.keyboard = SDLKBDNew();
  // Either record is null only when memory ran out (the keyboard also needs a
  // display, which SDLDPYNew makes even when no mode can be set).
  if (demo.display == nullptr || demo.keyboard == nullptr) {
    VORN2112OutOfMemory();
    return false;
  }
  SDLDPYSetMode(demo.display, defaultWidth, defaultHeight);
  if (!SDLDPYIsVisible(demo.display)) {
    std::fprintf(stderr, "%s: cannot open a %dx%d window: no display\n", demo.programName,
                 defaultWidth, defaultHeight);
    return false;
  }
  return setupScene(demo.display->width, demo.display->height);
}

bool VORN2112SetupOffscreen() { return setupScene(defaultWidth, defaultHeight); }

bool VORN2112Run() {
  bool prepared = VORN2112PrepareScene();
  if (prepared)
    while (VORN2112Frame()) {
    }
  VORN2112ReleaseScene();
  return prepared;
}

bool VORN2112Restart() {
  VORN2112ReleaseScene();
  if (demo.scroller != nullptr) SCROLLFree(&demo.scroller);
  return VORN2112PrepareScene();
}

void VORN2112Teardown() {
  VORN2112UnloadScene();
  if (demo.backBuffer != nullptr) IMGFree(&demo.backBuffer);
  if (demo.keyboard != nullptr) SDLKBDFree(&demo.keyboard);
  if (demo.display != nullptr) SDLDPYFree(&demo.display);
}

void VORN2112Key(int8_t key) {
  if (key == 'q' || key == 'Q' || key == 27) demo.quitRequested = true;
}

int32_t VORN2112FramesPerSecond() {
  ++demo.fpsFrames;
  Uint32 seconds = SDL_GetTicks() / 1000;
  return demo.fpsFrames / static_cast<int32_t>(seconds + 1);
}

void VORN2112Error() {
  if (demo.verbose) std::fputs("VORN2112 Error.\n", stdout);
}

void VORN2112FadeOut() {
  for (int round = 0; round < 256; ++round) {
    VORN2112Darken(demo.backBuffer, 4);
    SDLDPYShow(demo.display, demo.backBuffer);
  }
}
