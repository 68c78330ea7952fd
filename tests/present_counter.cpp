// Counts a program's presents: loaded with LD_PRELOAD into the demo, it passes
// every SDL_UpdateRect and SDL_Flip on to SDL and, when the program ends,
// prints one line to standard error, timed from the 11th present to the
// last (leaving out the presents SDL makes itself when it sets a mode, and
// the demo's first frames): how many there were, how many per second, the
// 95th percentile of the intervals between them, and the process's
// processor time over that span as a share of one core.
//   presents: 601 in 10.00 s: 60.0 per second, p95 interval 17.1 ms, CPU 0.08 of a core
// The end-to-end tests and bench/demo_fps.sh read that line.
#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iterator>

namespace {

using Clock = std::chrono::steady_clock;
constexpr long skipped = 10;  // presents left out at the start
long presents = 0;            // counted after those
Clock::time_point first, last;
double firstCpu = 0, lastCpu = 0;  // s of processor time of the process
// The ms between presents, the first 2^21 of them (35 minutes at 1000 a
// second): a plain array, as nothing may be destroyed before the report.
float intervals[1 << 21];
size_t intervalCount = 0;

double processorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void counted() {
  static long seen = 0;
  if (seen++ < skipped) return;
  const Clock::time_point now = Clock::now();
  lastCpu = processorSeconds();
  if (presents++ == 0) {
    first = now;
    firstCpu = lastCpu;
  } else if (intervalCount < std::size(intervals)) {
    intervals[intervalCount++] = std::chrono::duration<float, std::milli>(now - last).count();
  }
  last = now;
}

template <typename Function>
Function real(const char *name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

__attribute__((destructor)) void report() {
  const double seconds = std::chrono::duration<double>(last - first).count();
  if (presents < 2 || seconds <= 0) return;
  const size_t p95 = intervalCount * 95 / 100;
  std::nth_element(intervals, intervals + p95, intervals + intervalCount);
  std::fprintf(
      stderr,
      "presents: %ld in %.2f s: %.1f per second, p95 interval %.1f ms, CPU %.2f of a core\n",
      presents, seconds, static_cast<double>(presents - 1) / seconds,
      static_cast<double>(intervals[p95]), (lastCpu - firstCpu) / seconds);
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
