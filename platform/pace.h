// PACE: shows a loop's frames at a fixed rate. Frame n of a schedule is due
// at start + n / rate on a monotonic clock, each due time computed from the
// start, so the schedule does not drift however long it runs. A loop that
// falls behind does not race to catch up: the frames it missed are dropped
// and the next one is due at the next tick of the same schedule. A rate of
// 0 never waits: every frame is due at once.
//
// The rule is pure: the caller gives the clock's reading (nanoseconds, any
// origin, only ever growing), so a test can drive it with a clock of its own.
// A loop that presents one frame at a time waits for each frame's time with
// PACEWait on the process's monotonic clock (PACENow); frame 0 is due at
// once:
//
//   Pace pace;
//   PACEStart(&pace, 60, PACENow());
//   for (;;) { PACEWait(&pace); drawAndPresent(); }
//
// A loop driven by the display's refreshes (a web browser's animation
// frames) asks at each refresh how many frames are due, at most a few, and
// runs that many steps, none when none is due. It starts its schedule half
// a frame before the first refresh, so that on a display at the pace's own
// rate each refresh falls mid-way between two due times and the clock's
// jitter never gives one refresh two frames and the next none:
//
//   PACEStart(&pace, 60, now - PACEFrameTime(60) / 2);   // the first refresh
//   for (int32_t n = PACETake(&pace, now, 4); n > 0; --n) step();   // each one
//
// The record is open and holds no resources; there is nothing to free. Null
// records and rates outside 0 .. paceMaxRate go to PACEError, which is silent
// unless PACE_REPORT_ERRORS is defined: a bad rate is taken as 0. Nothing here
// needs SDL.
#pragma once

#include <cstdint>

constexpr int32_t paceMaxRate = 1000;  // frames a second

struct Pace {
  int32_t rate;    // frames a second, 1 .. paceMaxRate; 0: every frame is due at once
  int32_t frame;   // number of the next frame counted from `origin`, 0 .. rate - 1
  int64_t origin;  // clock reading (ns) at which frame 0 of the current second was due
};

// The schedule: frame 0 due at `firstDue` (a clock reading in ns).
void PACEStart(Pace *pace, int32_t rate, int64_t firstDue);
// The clock reading at which the next frame is due; any reading for rate 0.
int64_t PACEDueTime(const Pace *pace);
// The frames due at `now`, 0 .. most, counted as shown; due frames beyond
// `most` are dropped. Rate 0: one frame (when most >= 1).
int32_t PACETake(Pace *pace, int64_t now, int32_t most);
// The time between two frames at `rate` (ns, rounded down); 0 for rate 0.
int64_t PACEFrameTime(int32_t rate);

// The process's monotonic clock, in nanoseconds.
int64_t PACENow();
// Before a frame is drawn: sleeps on PACENow's clock until it is due, then
// takes it (PACETake with most 1). Returns at once at rate 0, without
// reading the clock. On Windows the first wait asks the system for sleeps
// to the millisecond, as its own tick is 15.6 ms.
void PACEWait(Pace *pace);

// The rate in `text`: a whole number 0 .. paceMaxRate in decimal digits
// alone. True and `*rate` set, or false and `*rate` unchanged.
bool PACERateFromText(const char *text, int32_t *rate);

void PACEError();
