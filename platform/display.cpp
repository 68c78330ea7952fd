// The display singleton over SDL 1.2: the record, the mode and the checks of
// every operation. What a present does with the pixels is the platform's
// (platform/backend.h).
#include "platform/display.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend.h"

// The video flags word: the only difference between the two programs' display.
#ifdef VORN_FULLSCREEN
static constexpr Uint32 videoFlags = SDL_ANYFORMAT | SDL_HWSURFACE | SDL_FULLSCREEN;
#else
static constexpr Uint32 videoFlags = SDL_ANYFORMAT | SDL_HWSURFACE;
#endif

[[maybe_unused]] static const char *const sdldpyIdentification[] = {"", "20081029",
                                                                    "VORN2112 developers"};

static Display *theDisplay = nullptr;
static SDL_Surface *screen = nullptr;  // owned by SDL
static bool doubleBuffered = false;    // SDL granted SDL_DOUBLEBUF: present with SDL_Flip

void SDLDPYError() {
#ifdef SDLDPY_REPORT_ERRORS
  std::fputs("SDLDPY error\n", stdout);
#endif
}

static bool isTheDisplay(const Display *display) {
  return display != nullptr && display == theDisplay;
}

bool SDLDPYExists() { return theDisplay != nullptr; }

Display *SDLDPYNew() {
  if (theDisplay != nullptr) {
    SDLDPYError();
    return theDisplay;
  }
  theDisplay = static_cast<Display *>(std::calloc(1, sizeof(Display)));
  if (theDisplay == nullptr) {
    SDLDPYError();
    return nullptr;
  }
  SDLDPYSetMode(theDisplay, 256, 256);
  return theDisplay;
}

void SDLDPYFree(Display **display) {
  if (display == nullptr || !isTheDisplay(*display)) {
    SDLDPYError();
    return;
  }
  backendScreenForget();
  SDL_FreeSurface(screen);
  screen = nullptr;
  std::free(theDisplay);
  theDisplay = nullptr;
  *display = nullptr;
}

const char *SDLDPYToASCII(const Display *display) {
  if (!isTheDisplay(display)) {
    SDLDPYError();
    return nullptr;
  }
  return "";
}

Display *SDLDPYFromASCII(const char *text) {
  if (text == nullptr || theDisplay != nullptr) SDLDPYError();
  return nullptr;
}

bool SDLDPYEqual(const Display *a, const Display *b) {
  if (a == nullptr || b == nullptr || a != b || !isTheDisplay(a)) {
    SDLDPYError();
    return false;
  }
  return true;
}

Display *SDLDPYCopy(Display *display) {
  if (!isTheDisplay(display)) {
    SDLDPYError();
    return nullptr;
  }
  return display;
}

void SDLDPYSetMode(Display *display, int32_t width, int32_t height) {
  if (display == nullptr || width < 0 || height < 0 || theDisplay == nullptr) {
    SDLDPYError();
    return;
  }
  backendScreenForget();
  if (screen != nullptr) SDL_FreeSurface(screen);
  screen = SDL_SetVideoMode(width, height, 0, videoFlags);
  if (screen == nullptr) {
    SDLDPYError();
    return;
  }
  SDL_WM_SetCaption("VORN2112", "VORN2112");
  theDisplay->depth = screen->format->BitsPerPixel;
  theDisplay->width = width;
  theDisplay->height = height;
  doubleBuffered = (screen->flags & SDL_DOUBLEBUF) != 0;
  backendScreenPrepare(screen);
}

static void showScreen() {
  if (doubleBuffered)
    SDL_Flip(screen);
  else
    SDL_UpdateRect(screen, 0, 0, 0, 0);
}

// Copies the top-left w x h pixels of the image to the screen's top-left
// corner, through the back end of the platform built for.
static void blitToScreen(const Image *image, int32_t w, int32_t h) {
  if (w > 0 && h > 0) backendScreenPut(screen, image, w, h);
}

static bool canPresent(const Display *display, const Image *image) {
  return isTheDisplay(display) && image != nullptr && image->pixels != nullptr && screen != nullptr;
}

static bool matchesDisplay(const Image *image) {
  return image->width == theDisplay->width && image->height == theDisplay->height;
}

void SDLDPYShow(Display *display, const Image *image) {
  if (!canPresent(display, image)) {
    SDLDPYError();
    return;
  }
  int32_t w = image->width < display->width ? image->width : display->width;
  int32_t h = image->height < display->height ? image->height : display->height;
  blitToScreen(image, w, h);
  showScreen();
}

void SDLDPYPutPixels(Display *display, const Image *image) {
  if (!canPresent(display, image) || !matchesDisplay(image)) {
    SDLDPYError();
    return;
  }
  blitToScreen(image, image->width, image->height);
  showScreen();
}

void SDLDPYFlip(Display *display, const Image *image) {
  if (!canPresent(display, image) || !matchesDisplay(image)) {
    SDLDPYError();
    return;
  }
  showScreen();
}

bool SDLDPYIsVisible(const Display *display) {
  if (!isTheDisplay(display) || screen == nullptr) return false;
  char name[32] = "";
  if (SDL_VideoDriverName(name, sizeof name) == nullptr) return false;
  // The drivers SDL falls back to when it finds no window system: invisible
  // ones, and the classic library's text-terminal renderers.
  static const char *const fallbacks[] = {"offscreen", "dummy", "caca", "aalib"};
  bool fallback = false;
  for (const char *driver : fallbacks) fallback = fallback || std::strcmp(name, driver) == 0;
  if (!fallback) return true;
  const char *asked = std::getenv("SDL_VIDEODRIVER");
  return asked != nullptr && std::strcmp(asked, name) == 0;
}
