#include "app/progress.h"

#include <cmath>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds redrawInterval{250};

// M:SS, or H:MM:SS from an hour on.
void formatDuration(char (&text)[32], double seconds) {
  long s = std::lround(seconds);
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
}

void draw(Progress *progress, long done, double seconds) {
  char line[128];
  int n = PROGRESSLine(line, sizeof line, done, progress->total, seconds);
  if (n < 0) return;
  // Spaces cover what is left of a longer line drawn before.
  std::fprintf(stderr, "\r%s%*s", line, progress->width > n ? progress->width - n : 0, "");
  std::fflush(stderr);
  progress->width = progress->width > n ? progress->width : n;
}

}  // namespace

void PROGRESSStart(Progress *progress, long total, bool shown) {
  Clock::time_point now = Clock::now();
  *progress = Progress{total, shown, now, now + redrawInterval, 0};
}

void PROGRESSUpdate(Progress *progress, long done) {
  if (!progress->shown) return;
  Clock::time_point now = Clock::now();
  if (now < progress->next) return;
  progress->next = now + redrawInterval;
  draw(progress, done, std::chrono::duration<double>(now - progress->start).count());
}

void PROGRESSClear(Progress *progress) {
  if (progress->width == 0) return;
  std::fprintf(stderr, "\r%*s\r", progress->width, "");
  progress->width = 0;
}

int PROGRESSLine(char *line, size_t size, long done, long total, double seconds) {
  char left[32] = "--:--";
  double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
  if (rate > 0) formatDuration(left, static_cast<double>(total - done) / rate);
  return std::snprintf(line, size, "frame %ld of %ld, %.0f frames/s, %s left", done, total, rate,
                       left);
}
