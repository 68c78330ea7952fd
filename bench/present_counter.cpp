// Counts a program's presents: loaded with LD_PRELOAD into the demo, it passes
// every SDL_UpdateRect and SDL_Flip on to SDL and, when the program ends,
// prints to standard error how many there were and how many per second,
// timed from the first present to the last.
#include <SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
long presents = 0;
Clock::time_point first, last;

void counted() {
  last = Clock::now();
  if (presents++ == 0) first = last;
}

template <typename Function>
Function real(const char *name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

__attribute__((destructor)) void report() {
  const double seconds = std::chrono::duration<double>(last - first).count();
  if (presents > 1 && seconds > 0)
    std::fprintf(stderr, "presents: %ld in %.2f s: %.1f per second\n", presents, seconds,
                 static_cast<double>(presents - 1) / seconds);
}

}  // namespace

extern "C" void SDL_UpdateRect(SDL_Surface *screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
  static const auto next =
      real<void (*)(SDL_Surface *, Sint32, Sint32, Uint32, Uint32)>("SDL_UpdateRect");
  next(screen, x, y, w, h);
  counted();
}

extern "C" int SDL_Flip(SDL_Surface *screen) {
  static const auto next = real<int (*)(SDL_Surface *)>("SDL_Flip");
  const int status = next(screen);
  counted();
  return status;
}
