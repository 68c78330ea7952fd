// VORN2112: the demo's life cycle. It opens the display, renders an endless
// sequence of frames into a back buffer and presents each, until the viewer
// presses Escape, Q or q.
//
// The whole state of the demo is one record, `demo`, owned by this unit: the
// skeleton's display, keyboard and back buffer, the scene's font and
// pictures, and the motion of the run. The scene (app/scene.h) keeps its
// state there and hands its phases to the life cycle as a ScenePhases; the
// life cycle knows nothing else of it.
//
// Every driver goes through three calls: VORN2112Start (with a display and
// keyboard, or off screen), VORN2112Frame as often as it likes, and
// VORN2112End, which releases whatever was made, after a failed start too,
// and does nothing the second time. VORN2112Restart takes a started run back
// to frame 0, so any number of runs can happen in one process. The desktop
// program's main is the same three phases as named of old: VORN2112Setup,
// VORN2112Run (the preparation, the frame loop, the release of the run's
// images) and VORN2112Teardown.
//
// The two programs differ only in defaultWidth x defaultHeight (640 x 480
// windowed, 320 x 200 full screen) and the display's video flags.
//
// Failures: set-up and the preparation say why on standard error, prefixed
// with the program's name ("cannot load 'V.ppm'...", "out of memory"), and
// return false; whatever was made is still released by the phase that
// releases it.
#pragma once

#include <cstdint>

#include "app/bars.h"
#include "img/img.h"
#include "platform/display.h"
#include "platform/keyboard.h"
#include "raster/raster.h"
#include "text/font.h"
#include "text/scroll.h"

#ifndef VORN_DEFAULT_WIDTH
#define VORN_DEFAULT_WIDTH 640
#define VORN_DEFAULT_HEIGHT 480
#endif

constexpr int32_t defaultWidth = VORN_DEFAULT_WIDTH;    // video width asked for
constexpr int32_t defaultHeight = VORN_DEFAULT_HEIGHT;  // video height asked for

// What a scene hands to the life cycle: its phases, each run at its point.
// A phase that fails says why and returns false; what it made so far is
// released by its counterpart, which copes with anything half made.
struct ScenePhases {
  bool (*load)();     // at set-up, once the back buffer exists: pictures, font
  bool (*prepare)();  // when a run begins or starts again: frame 0's state, the run's images
  void (*compose)();  // a frame's stages 1 to 16, into the back buffer
  void (*advance)();  // stage 17, once the frame is presented
  void (*release)();  // when a run ends: whatever prepare made
  void (*unload)();   // at tear-down: whatever load made
};

// Where the frames go and where the keys come from: what the life cycle
// calls at its points. Presentation::onScreen is the display and the keyboard
// over SDL (app/screen.cpp), which only the programs that show the demo link;
// Presentation::offScreen is the back buffer alone (capture tools, tests,
// benchmarks) and needs nothing of SDL. The back buffer has the build's size
// either way.
struct Presentation {
  bool (*open)();   // at set-up, before the back buffer; false, said why, when nobody can see
  void (*show)();   // presents the back buffer
  void (*poll)();   // after stage 17: reads the keys and passes a press to VORN2112Key
  void (*close)();  // at tear-down, after the back buffer: whatever open made, half made too

  static const Presentation onScreen;   // a display at the build's size and a keyboard
  static const Presentation offScreen;  // nothing but the back buffer
};

struct Demo {
  // The skeleton.
  const ScenePhases *scene;  // the scene being run; null before the first start
  const char *programName;   // names the program in messages on standard error
  Display *display;          // made at set-up, released last; null off screen
  Keyboard *keyboard;        // made at set-up; null off screen
  Image *backBuffer;         // every frame is composed here; the display's size
  bool quitRequested;        // set by VORN2112Key; cleared only by a restart
  bool verbose;              // guards VORN2112Error's print; nothing sets it
  int32_t fpsFrames;         // calls of VORN2112FramesPerSecond so far
  int32_t frame;             // number of the next frame; 0 when a run begins

  // Where the frames go and where the keys come from.
  Presentation presentation;  // off screen before the first start

  // The scene's assets, loaded at set-up, released at tear-down.
  Font *textFont;              // 8 x 8 glyphs from "font8x8.pbm"
  Image *letterSprites[4];     // V, O, R, N, drawn at their own size
  Image *dissolvePicture;      // "vorn-fernmoor.ppm" as loaded
  Image *logoPicture;          // "vorn-2008.ppm" as loaded
  Image *rainbowPicture;       // "vorn-rainbow.ppm" as loaded
  int32_t letterAmplitude[4];  // from V's size: horizontal (0, 1), vertical (2, 3)

  // The run's motion: sine-table indices 0 .. 1023 and their amplitudes.
  int32_t letterPhase[4];       // 0 at frame 0; phases 0, 1 move x, 2, 3 move y
  int32_t rainbowPhase[2];      // 0 and 233 at frame 0
  int32_t rainbowAmplitude[2];  // W and W * 3 / 2
  uint32_t barTable[barCount];  // the bars' colours, a copy of barColours
  Raster bars;                  // 120 rows over barTable; position 0 at frame 0

  // The run's objects, made by the preparation, released when the run ends.
  Scroller *scroller;    // the message over textFont and textStrip
  Image *dissolveImage;  // dissolvePicture at W x H / 2, dissolving frame by frame
  Image *logoImage;      // logoPicture at W / 6 x H / 4
  Image *rainbowImage;   // rainbowPicture at W / 2 x H
  Image *rasterStrip;    // W x 8: the bars' colours
  Image *textStrip;      // W x 8: the scroller's glyphs, then masked by the bars
};

extern Demo demo;  // the one demo of the process

// The life cycle every driver goes through.
// Set-up and the scene's preparation; false when the demo cannot run, and
// VORN2112End still follows.
bool VORN2112Start(const ScenePhases &scene, const Presentation &where);
// One pass of the frame loop: the scene's stages, the present (with a
// display), stage 17, the key poll and test (with a keyboard). Returns false
// once Escape, Q or q was seen.
bool VORN2112Frame();
// Releases whatever VORN2112Start and the frames made: the run's images, the
// scene's assets, the back buffer, the keyboard and the display. Safe after a
// failed start and when called twice.
void VORN2112End();
// Back to frame 0 of a started run: the scene's release and preparation
// again. False when out of memory; VORN2112End still follows.
bool VORN2112Restart();

// The desktop program's main, called by the start-up layer once SDL is
// initialised: VORN2112Setup, VORN2112Run, VORN2112Teardown. Returns 0, or 1
// when set-up or the preparation failed.
int VORN2112Main(const ScenePhases &scene, const Presentation &where = Presentation::onScreen);
bool VORN2112Setup();     // the presentation's open (display, keyboard, mode), back buffer, load
bool VORN2112Run();       // preparation, frames until a quit key, release
void VORN2112Teardown();  // the scene's unload, back buffer, the presentation's close

void VORN2112Key(int8_t key);       // Escape, Q or q request the end
int32_t VORN2112FramesPerSecond();  // average frame rate since SDL started (on screen only)
void VORN2112Error();
void VORN2112FadeOut();      // darkens the back buffer to black over 256 presents
void VORN2112OutOfMemory();  // says "<program>: out of memory" on standard error
