// The demo's life cycle: set-up, the run, tear-down, and the frame loop.
#include "app/vorn2112.h"

#include <cstdio>
#include <cstdlib>

#include "app/effects.h"
#include "platform/pace.h"

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

// On screen the back buffer takes the size the display recorded: the
// build's, or the mode the display kept when the build's could not be set.
bool VORN2112Setup() {
  if (!demo.presentation.open()) return false;
  if (demo.display != nullptr) return setupScene(demo.display->width, demo.display->height);
  return setupScene(defaultWidth, defaultHeight);
}

bool VORN2112Run() {
  bool prepared = prepareScene();
  if (prepared) {
    Pace pace;
    PACEStart(&pace, VORN2112FrameRate(), PACENow());
    // Each frame waits for its time; none follows the one that saw a quit key.
    do PACEWait(&pace);
    while (VORN2112Frame());
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

int32_t VORN2112FrameRate() {
  const char *value = std::getenv("VORN2112_FPS");
  int32_t rate = defaultRate;
  if (value != nullptr && !PACERateFromText(value, &rate))
    std::fprintf(stderr,
                 "%s: VORN2112_FPS='%s' is not a whole number of frames a second from 1 to %d "
                 "(or 0 for no waiting); showing %d a second\n",
                 demo.programName, value, paceMaxRate, defaultRate);
  return rate;
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
