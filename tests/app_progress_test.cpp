// The capture's progress line: its text, and the time left as M:SS or
// H:MM:SS (the end-to-end test sees only short captures).
#include <gtest/gtest.h>

#include <string>

#include "app/progress.h"

namespace {

std::string lineOf(long done, long total, double seconds) {
  char line[128];
  PROGRESSLine(line, sizeof line, done, total, seconds);
  return line;
}

TEST(AppProgress, LineGivesRateAndTimeLeft) {
  EXPECT_EQ(lineOf(60, 600, 2.0), "frame 60 of 600, 30 frames/s, 0:18 left");
  EXPECT_EQ(lineOf(1, 7202, 1.0), "frame 1 of 7202, 1 frames/s, 2:00:01 left");
  EXPECT_EQ(lineOf(0, 600, 0.0), "frame 0 of 600, 0 frames/s, --:-- left");
}

}  // namespace
