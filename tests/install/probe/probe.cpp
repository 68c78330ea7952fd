// Opens the display under SDL's dummy driver and prints its first mode.
#include <SDL.h>

#include <cstdio>

#include "platform/display.h"
#include "platform/keyboard.h"

int main(int, char **) {
  if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) return 1;
  Display *display = SDLDPYNew();
  Keyboard *keyboard = SDLKBDNew();
  if (display == nullptr || keyboard == nullptr) return 1;
  std::printf("%dx%d\n", display->width, display->height);
  SDLKBDFree(&keyboard);
  SDLDPYFree(&display);
  SDL_Quit();
  return 0;
}
