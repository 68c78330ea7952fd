// VORN2112: the demo. It opens the display, renders an endless sequence of
// frames into a back buffer and presents each, until the viewer presses
// Escape, Q or q.
//
// The whole state of the demo is one record, `demo`: the skeleton's display,
// keyboard and back buffer, the scene's font and pictures, and the motion of
// the run. A run can start again from frame 0 (VORN2112Restart), so any number
// of runs can happen in one process.
//
// main runs three phases once each: VORN2112Setup (display, keyboard, video
// mode, back buffer, the scene's pictures and font), VORN2112Run (the scene's
// preparation, the frame loop, release of the run's images) and
// VORN2112Teardown (everything set-up made, the display last). The frame loop
// is VORN2112Frame, called again and again; the capture tools call it too,
// after VORN2112SetupOffscreen, without a display or a keyboard.
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

struct Demo {
  // The skeleton.
  const char *programName;  // names the program in messages on standard error
  Display *display;         // made at set-up, released last; null off screen
  Keyboard *keyboard;       // made at set-up; null off screen
  Image *backBuffer;        // every frame is composed here; the display's size
  bool quitRequested;       // set by VORN2112Key; cleared only by a restart
  bool verbose;             // guards VORN2112Error's print; nothing sets it
  int32_t fpsFrames;        // calls of VORN2112FramesPerSecond so far
  int32_t frame;            // number of the next frame; 0 when a run begins

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
  Scroller *scroller;           // the message over textFont and textStrip

  // The run's images, made by the preparation, released when the loop ends.
  Image *dissolveImage;  // dissolvePicture at W x H / 2, dissolving frame by frame
  Image *logoImage;      // logoPicture at W / 6 x H / 4
  Image *rainbowImage;   // rainbowPicture at W / 2 x H
  Image *rasterStrip;    // W x 8: the bars' colours
  Image *textStrip;      // W x 8: the scroller's glyphs, then masked by the bars
};

extern Demo demo;  // the one demo of the process

// The demo's main, called by the start-up layer once SDL is initialised.
// Returns 0, or 1 when set-up or the preparation failed.
int VORN2112Main(int argc, char **argv);
bool VORN2112Setup();           // false when the demo cannot run; Teardown still follows
bool VORN2112SetupOffscreen();  // set-up without display or keyboard, at the build's size
bool VORN2112Run();             // false when the preparation failed
void VORN2112Teardown();        // releases whatever set-up and the run made
// One pass of the frame loop: the scene's stages, the present (with a
// display), the rainbow step, the key poll and test (with a keyboard).
// Returns false once Escape, Q or q was seen.
bool VORN2112Frame();
bool VORN2112Restart();             // back to frame 0 after set-up; false when out of memory
void VORN2112Key(int8_t key);       // Escape, Q or q request the end
int32_t VORN2112FramesPerSecond();  // average frame rate since SDL started
void VORN2112Error();
void VORN2112FadeOut();      // darkens the back buffer to black over 256 presents
void VORN2112OutOfMemory();  // says "<program>: out of memory" on standard error
