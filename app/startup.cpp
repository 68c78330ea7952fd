// The process entry point: starts SDL, runs the demo, shuts SDL down. The
// video subsystem starts later, with the first video mode.
#include <SDL.h>

#include <cstdio>

#include "app/vorn2112.h"

int main(int argc, char *argv[]) {
  if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
    std::fprintf(stderr, "%s: %s\n", programName, SDL_GetError());
    return 1;
  }
  int status = VORN2112Main(argc, argv);
  SDL_Quit();
  return status;
}
