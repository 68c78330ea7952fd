// The pace of shown frames: the rule over a given clock, and the wait on the
// process's own.
#include "platform/pace.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "os/os.h"

namespace {

constexpr int64_t second = 1'000'000'000;  // ns

// Frame `frame` counted from the origin is due at origin + frame / rate
// seconds, rounded up to the nanosecond: a frame is due at a reading
// exactly when frame * second <= (reading - origin) * rate.
int64_t dueTime(const Pace &pace, int64_t frame) {
  return pace.origin + (frame * second + pace.rate - 1) / pace.rate;
}

// The last frame, counted from the origin, that is due `elapsed` ns after
// it, computed without overflow however long the loop has stood still.
int64_t lastDue(const Pace &pace, int64_t elapsed) {
  return elapsed / second * pace.rate + elapsed % second * pace.rate / second;
}

}  // namespace

void PACEError() {
#ifdef PACE_REPORT_ERRORS
  std::fputs("PACE error\n", stdout);
#endif
}

void PACEStart(Pace *pace, int32_t rate, int64_t firstDue) {
  if (pace == nullptr) {
    PACEError();
    return;
  }
  if (rate < 0 || rate > paceMaxRate) {
    PACEError();
    rate = 0;
  }
  *pace = Pace{rate, 0, firstDue};
}

int64_t PACEDueTime(const Pace *pace) {
  if (pace == nullptr) {
    PACEError();
    return 0;
  }
  return pace->rate == 0 ? pace->origin : dueTime(*pace, pace->frame);
}

int32_t PACETake(Pace *pace, int64_t now, int32_t most) {
  if (pace == nullptr) {
    PACEError();
    return 0;
  }
  if (most < 1) return 0;
  if (pace->rate == 0) return 1;
  if (now < dueTime(*pace, pace->frame)) return 0;
  int64_t due = lastDue(*pace, now - pace->origin) - pace->frame + 1;
  // The next frame, counted from the origin, which then moves on by whole
  // seconds so that the count stays below the rate.
  int64_t next = pace->frame + due;
  pace->origin += next / pace->rate * second;
  pace->frame = static_cast<int32_t>(next % pace->rate);
  return due > most ? most : static_cast<int32_t>(due);
}

int64_t PACEFrameTime(int32_t rate) { return rate > 0 ? second / rate : 0; }

int64_t PACENow() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

void PACEWait(Pace *pace) {
  if (pace == nullptr) {
    PACEError();
    return;
  }
  if (pace->rate == 0) return;
  [[maybe_unused]] static const bool fine = OSFineSleep();
  // A sleep may end a little early (Windows counts it in its own ticks):
  // the frame is taken only once its time has come.
  const int64_t due = PACEDueTime(pace);
  for (int64_t now = PACENow(); PACETake(pace, now, 1) == 0; now = PACENow())
    std::this_thread::sleep_for(std::chrono::nanoseconds(due - now));
}

bool PACERateFromText(const char *text, int32_t *rate) {
  if (text == nullptr || rate == nullptr) {
    PACEError();
    return false;
  }
  if (*text == '\0') return false;
  int32_t value = 0;
  for (const char *c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + (*c - '0');
    if (value > paceMaxRate) return false;
  }
  *rate = value;
  return true;
}
