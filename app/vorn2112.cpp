// The demo's life cycle: set-up, the run, tear-down, and the frame loop.
#include "app/vorn2112.h"

#include <cstdio>

#include "app/effects.h"

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

// Off screen: nothing to open, show, poll or close.
const Presentation Presentation::offScreen = {[] { return true; }, [] {}, [] {}, [] {}};

Demo demo = [] {
  Demo initial{};  // everything null, false or 0
  initial.programName = VORN_PROGRAM_NAME;
  initial.presentation = Presentation::offScreen;
  return initial;
}();

void VORN2112OutOfMemory() { std::fprintf(stderr, "%s: out of memory\n", demo.programName); }

// The scene's phases, for a demo that may have none yet.
static bool loadScene() { return demo.scene == nullptr || demo.scene->load(); }
static bool prepareScene() { return demo.scene == nullptr || demo.scene->prepare(); }
static void releaseScene() {
  if (demo.scene != nullptr) demo.scene->release();
}
static void unloadScene() {
  if (demo.scene != nullptr) demo.scene->unload();
}

// The back buffer at the given size and the scene's assets.
static bool setupScene(int32_t width, int32_t height) {
  demo.backBuffer = IMGMake(width, height);
  if (demo.backBuffer == nullptr) {
    VORN2112OutOfMemory();
    return false;
  }
  return loadScene();
}

bool VORN2112Setup() { return demo.presentation.open() && setupScene(defaultWidth, defaultHeight); }

bool VORN2112Run() {
  bool prepared = prepareScene();
  if (prepared)
    while (VORN2112Frame()) {
    }
  releaseScene();
  return prepared;
}

void VORN2112Teardown() {
  unloadScene();
  if (demo.backBuffer != nullptr) IMGFree(&demo.backBuffer);
  demo.presentation.close();
}

int VORN2112Main(const ScenePhases &scene, const Presentation &where) {
  demo.scene = &scene;
  demo.presentation = where;
  bool ran = VORN2112Setup() && VORN2112Run();
  VORN2112Teardown();
  return ran ? 0 : 1;
}

bool VORN2112Start(const ScenePhases &scene, const Presentation &where) {
  demo.scene = &scene;
  demo.presentation = where;
  return VORN2112Setup() && prepareScene();
}

bool VORN2112Frame() {
  demo.scene->compose();  // stages 1 to 16
  demo.presentation.show();
  demo.scene->advance();  // stage 17
  demo.presentation.poll();
  ++demo.frame;
  return !demo.quitRequested;
}

bool VORN2112Restart() {
  releaseScene();
  return prepareScene();
}

void VORN2112End() {
  releaseScene();
  VORN2112Teardown();
}

void VORN2112Key(int8_t key) {
  if (key == 'q' || key == 'Q' || key == 27) demo.quitRequested = true;
}

void VORN2112Error() {
  if (demo.verbose) std::fputs("VORN2112 Error.\n", stdout);
}

void VORN2112FadeOut() {
  for (int round = 0; round < 256; ++round) {
    VORN2112Darken(demo.backBuffer, 4);
    demo.presentation.show();
  }
}
