// Internal to the display: how a frame gets from an Image onto SDL's screen
// surface, the one thing the desktop's SDL 1.2 and a web browser's do
// differently. The build compiles one back end: screen_sdl.cpp on the
// desktop, screen_web.cpp in a web browser.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "img/img.h"

// A new mode was set: `screen` is the surface the presents go to.
void screenPrepare(SDL_Surface *screen);

// Puts the top-left w x h pixels of `image` (w, h > 0, within both the image
// and the screen) at the screen's top-left corner. The flip or update that
// shows them is the caller's.
void screenPut(SDL_Surface *screen, const Image *image, int32_t w, int32_t h);

// The screen is about to be released: drops whatever was kept for it.
void screenForget();
