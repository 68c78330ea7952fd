// VORN2112: the demo. It opens the display, renders an endless sequence of
// frames into a back buffer and presents each, until the viewer presses
// Escape, Q or q.
//
// main runs three phases once each: VORN2112Setup (display, keyboard, video
// mode, back buffer, the scene's pictures and font), VORN2112Run (the scene's
// preparation, the frame loop, release of the run's images) and
// VORN2112Teardown (everything set-up made, the display last).
//
// The two programs differ only in defaultWidth x defaultHeight (640 x 480
// windowed, 320 x 200 full screen) and the display's video flags.
#pragma once

#include <cstdint>

#include "img/img.h"
#include "platform/display.h"
#include "platform/keyboard.h"

#ifndef VORN_DEFAULT_WIDTH
#define VORN_DEFAULT_WIDTH 640
#define VORN_DEFAULT_HEIGHT 480
#endif

constexpr int32_t defaultWidth = VORN_DEFAULT_WIDTH;    // video width asked for
constexpr int32_t defaultHeight = VORN_DEFAULT_HEIGHT;  // video height asked for

// Module state, process-wide.
extern const char *programName;  // names the program in messages on standard error
extern Display *display;         // made at set-up, released last
extern Keyboard *keyboard;       // made at set-up
extern Image *backBuffer;        // every frame is composed here; the display's size
extern bool quitRequested;       // set by VORN2112Key, never cleared
extern bool verbose;             // guards VORN2112Error's print; nothing sets it
extern int32_t fpsFrames;        // calls of VORN2112FramesPerSecond so far

// The demo's main, called by the start-up layer once SDL is initialised.
// Returns 0, or 1 when set-up failed (no display, a picture missing); set-up
// then says why on standard error.
int VORN2112Main(int argc, char **argv);
bool VORN2112Setup();  // false when the demo cannot run; Teardown still follows
void VORN2112Run();
bool VORN2112Frame();               // one pass of the frame loop; false once an ending key was seen
void VORN2112Teardown();            // releases whatever set-up and the run made
void VORN2112Key(int8_t key);       // Escape, Q or q request the end
int32_t VORN2112FramesPerSecond();  // average frame rate since SDL started
void VORN2112Error();
void VORN2112FadeOut();  // darkens the back buffer to black over 256 presents
