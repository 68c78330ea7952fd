// Internal to the platform layer: everything that one platform provides, in
// one list. The build compiles exactly one file that fills it in:
//   backend_desktop.cpp  SDL 1.2 under a window system (Linux, Windows)
//   backend_web.cpp      a web browser's canvas under an emulation of SDL 1.2
// The display, the keyboard and the process's start and end (display.cpp,
// keyboard.cpp, system.cpp) are the same on every platform and call only
// these; what differs between operating systems beneath SDL is os/os.h.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "img/img.h"

// The process, before SDL starts: whatever SDL reads from the environment at
// its start (video driver, scaling) set to suit the demo, leaving what the
// user set alone.
void backendPrepareProcess();

// The folder `relative` to the folder that holds the running program ("."
// and ".." taken as they come), without a trailing separator; `fixed` where
// the program cannot learn where it is or the path does not fit; "" where
// nothing is installed beside the program. Static storage until the next
// call.
const char *backendInstalledFolder(const char *relative, const char *fixed);

// The screen: how a frame gets from an Image onto SDL's screen surface.
// A new mode was set: `screen` is the surface the presents go to.
void backendScreenPrepare(SDL_Surface *screen);
// Puts the top-left w x h pixels of `image` (w, h > 0, within both the image
// and the screen) at the screen's top-left corner. The flip or update that
// shows them is the caller's.
void backendScreenPut(SDL_Surface *screen, const Image *image, int32_t w, int32_t h);
// The screen is about to be released: drops whatever was kept for it.
void backendScreenForget();
