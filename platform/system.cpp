// The process around SDL: start, end and the clock, the same everywhere.
// What differs between the desktop and a web browser is in system_sdl.cpp
// and system_web.cpp (sysPrepare, SDLSYSInstalledFolder).
#include "platform/system.h"

#include <SDL.h>

#include <cstdio>

#include "platform/system_backend.h"

bool SDLSYSStart(const char *programName) {
  sysPrepare();
  if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
    std::fprintf(stderr, "%s: %s\n", programName, SDL_GetError());
    return false;
  }
  return true;
}

void SDLSYSQuit() { SDL_Quit(); }

uint32_t SDLSYSTicks() { return SDL_GetTicks(); }
