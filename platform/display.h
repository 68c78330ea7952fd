// SDLDPY: the display, one per process. It sets the video mode over SDL 1.2
// and presents an Image (0x00RRGGBB pixels) on the screen.
//
// The video flags word is a compile-time constant of the module:
// SDL_ANYFORMAT | SDL_HWSURFACE, plus SDL_FULLSCREEN in the full-screen
// build (VORN_FULLSCREEN). Every mode set titles the
// window "VORN2112".
//
// The Display record belongs to the module: SDLDPYNew makes it once, a
// second call returns the same one, and SDLDPYFree ends it. SDL owns the
// screen surface. Failures go to SDLDPYError, which is silent unless
// SDLDPY_REPORT_ERRORS is defined; they show only as a null or false result
// or as nothing happening. While no mode is set the presents do nothing.
//
// The same operations serve the desktop and a web browser (a canvas under
// an emulation of SDL 1.2); the build picks the back end that puts a frame
// on the screen, and the pixels shown are the same in both.
#pragma once

#include <cstdint>

#include "img/img.h"

struct Display {
  int32_t width;   // width in pixels of the mode last set successfully
  int32_t height;  // height in pixels of that mode
  int32_t depth;   // bits per pixel of the screen surface; 0 before any mode
};

Display *SDLDPYNew();  // the display with a first 256 x 256 mode, or null
void SDLDPYFree(Display **display);
const char *SDLDPYToASCII(const Display *display);  // "" (constant), or null
Display *SDLDPYFromASCII(const char *text);         // always null
bool SDLDPYEqual(const Display *a, const Display *b);
Display *SDLDPYCopy(Display *display);  // the same display: there is only one
void SDLDPYSetMode(Display *display, int32_t width, int32_t height);
// Presents an image of exactly the display's size.
void SDLDPYPutPixels(Display *display, const Image *image);
// Presents the top-left part of any image that fits the screen, at (0, 0),
// then flips or updates the whole screen.
void SDLDPYShow(Display *display, const Image *image);
// Flips or updates the screen as it is; the image only has to match in size.
void SDLDPYFlip(Display *display, const Image *image);
void SDLDPYError();

// True between SDLDPYNew and SDLDPYFree.
bool SDLDPYExists();

// True when a mode is set and the video driver shows it to a viewer. When SDL
// finds no window system it falls back to an invisible driver (or, in the
// classic library, to drawing text art in the terminal); such a driver counts
// only when the user asked for it by name in SDL_VIDEODRIVER.
bool SDLDPYIsVisible(const Display *display);
