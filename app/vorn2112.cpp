// The demo's skeleton: set-up, the frame loop, tear-down.
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

const char *programName = VORN_PROGRAM_NAME;
Display *display = nullptr;
Keyboard *keyboard = nullptr;
Image *backBuffer = nullptr;
bool quitRequested = false;
bool verbose = false;
int32_t fpsFrames = 0;

int VORN2112Main(int, char **) {
  bool ready = VORN2112Setup();
  if (ready) VORN2112Run();
  VORN2112Teardown();
  return ready ? 0 : 1;
}

bool VORN2112Setup() {
  display = SDLDPYNew();
  keyboard = SDLKBDNew();
  SDLDPYSetMode(display, defaultWidth, defaultHeight);
  if (!SDLDPYIsVisible(display) || keyboard == nullptr) {
    std::fprintf(stderr, "%s: cannot open a %dx%d window: no display\n", programName, defaultWidth,
                 defaultHeight);
    return false;
  }
  backBuffer = IMGNew();
  IMGResize(backBuffer, display->width, display->height);
  if (backBuffer == nullptr || backBuffer->pixels == nullptr) {
    std::fprintf(stderr, "%s: out of memory\n", programName);
    return false;
  }
  return VORN2112LoadScene();
}

void VORN2112Run() {
  VORN2112PrepareScene();
  while (VORN2112Frame()) {
  }
  VORN2112ReleaseScene();
}

bool VORN2112Frame() {
  VORN2112DrawScene();
  if (display != nullptr) SDLDPYShow(display, backBuffer);
  VORN2112StepScene();
  if (keyboard != nullptr) {
    SDLKBDGetKey(keyboard);
    VORN2112Key(static_cast<int8_t>(keyboard->keys[0]));
    keyboard->keys[0] = 0;
  }
  return !quitRequested;
}

void VORN2112Teardown() {
  VORN2112UnloadScene();
  if (backBuffer != nullptr) IMGFree(&backBuffer);
  if (keyboard != nullptr) SDLKBDFree(&keyboard);
  if (display != nullptr) SDLDPYFree(&display);
}

void VORN2112Key(int8_t key) {
  if (key == 'q' || key == 'Q' || key == 27) quitRequested = true;
}

int32_t VORN2112FramesPerSecond() {
  ++fpsFrames;
  Uint32 seconds = SDL_GetTicks() / 1000;
  return fpsFrames / static_cast<int32_t>(seconds + 1);
}

void VORN2112Error() {
  if (verbose) std::fputs("VORN2112 Error.\n", stdout);
}

void VORN2112FadeOut() {
  for (int round = 0; round < 256; ++round) {
    VORN2112Darken(backBuffer, 4);
    SDLDPYShow(display, backBuffer);
  }
}
