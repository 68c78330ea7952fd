// PROGRESS: a long capture's progress line: frames rendered of the total, the
// rate and the time left, on one line of standard error that rewrites itself.
// PROGRESSUpdate looks at the clock once a frame but redraws only four times
// a second at most, so a capture that ends within the first moment shows
// nothing.
//
// The record is the caller's and holds nothing to release. Whether the line
// is shown at all is the caller's choice (a terminal shows it, a log or a
// pipe does not): a record started with shown false writes nothing, ever.
// PROGRESSClear blanks the line before anything else is written there.
// Only standard C++; nothing is reported.
#pragma once

#include <chrono>
#include <cstddef>

struct Progress {
  long total;                                   // frames of the whole capture
  bool shown;                                   // false: nothing is ever written
  std::chrono::steady_clock::time_point start;  // when the capture began
  std::chrono::steady_clock::time_point next;   // no redraw before this moment
  int width;  // characters of the line drawn so far; 0 while it is blank
};

// Drawing.
void PROGRESSStart(Progress *progress, long total, bool shown);  // the clock starts now
void PROGRESSUpdate(Progress *progress, long done);              // after frame `done` of the total
void PROGRESSClear(Progress *progress);  // blanks the line, the cursor at its start

// The line's text after `seconds`: "frame 60 of 600, 30 frames/s, 0:18 left",
// the time left as M:SS, or H:MM:SS from an hour on, "--:--" before any rate.
// Returns the text's length as snprintf does.
int PROGRESSLine(char *line, size_t size, long done, long total, double seconds);
