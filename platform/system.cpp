// The process around SDL: start, end, the clock and the installed folder,
// the same everywhere; the platform's own steps are its back end's.
#include "platform/system.h"

#include <cstdio>

#include "platform/backend.h"

bool SDLSYSStart(const char *programName) {
  backendPrepareProcess();
  if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
    std::fprintf(stderr, "%s: %s\n", programName, SDL_GetError());
    return false;
  }
  return true;
}

void SDLSYSQuit() { SDL_Quit(); }

uint32_t SDLSYSTicks() { return SDL_GetTicks(); }

const char *SDLSYSInstalledFolder(const char *relative, const char *fixed) {
  return backendInstalledFolder(relative, fixed);
}
