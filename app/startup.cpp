// The process entry point: starts SDL, runs the demo, shuts SDL down. The
// video subsystem starts later, with the first video mode.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "app/vorn2112.h"

int main(int argc, char *argv[]) {
  // Ctrl+C and SIGTERM keep their default meaning: SDL 2 (under the SDL 1.2
  // layer) leaves them alone with this hint, and set-up restores them after
  // the classic library has started its video.
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
  if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
    std::fprintf(stderr, "%s: %s\n", programName, SDL_GetError());
    return 1;
  }
  int status = VORN2112Main(argc, argv);
  SDL_Quit();
  return status;
}
