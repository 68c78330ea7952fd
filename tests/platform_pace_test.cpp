// The pace of shown frames on a clock the tests hold: when frames are due,
// that the schedule does not drift, what a loop that falls behind gets, the
// rates at both ends, a rate of 0, a refresh-driven loop at three display
// rates, the waiting loop on the real clock, and rates read from text.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/pace.h"

namespace {

constexpr int64_t ms = 1'000'000;  // ns
constexpr int64_t second = 1000 * ms;

// The readings at which a loop that shows each frame at its due time shows
// the first `count` frames.
std::vector<int64_t> dueTimes(Pace &pace, int count) {
  std::vector<int64_t> times;
  for (int i = 0; i < count; ++i) {
    int64_t due = PACEDueTime(&pace);
    EXPECT_EQ(PACETake(&pace, due - 1, 1), 0) << "frame " << i << " a nanosecond early";
    EXPECT_EQ(PACETake(&pace, due, 1), 1) << "frame " << i << " at its time";
    times.push_back(due);
  }
  return times;
}

TEST(Pace, FrameNIsDueAtStartPlusNOverTheRate) {
  Pace pace;
  PACEStart(&pace, 60, 5 * second);
  std::vector<int64_t> times = dueTimes(pace, 121);
  EXPECT_EQ(times[0], 5 * second);
  EXPECT_EQ(times[1], 5 * second + 16'666'667);  // rounded up to the nanosecond
  EXPECT_EQ(times[3], 5 * second + 50 * ms);
  EXPECT_EQ(times[60], 6 * second);
  EXPECT_EQ(times[120], 7 * second);
  EXPECT_EQ(PACEFrameTime(60), 16'666'666);
}

// An hour of frames, each shown up to 3/4 of a frame late: frame 216000 is
// due exactly an hour after frame 0, however late the others came.
TEST(Pace, TheScheduleDoesNotDrift) {
  Pace pace;
  PACEStart(&pace, 60, 0);
  for (int64_t n = 0; n < 216'000; ++n) {
    int64_t late = n % 4 * PACEFrameTime(60) / 4;
    ASSERT_EQ(PACETake(&pace, PACEDueTime(&pace) + late, 1), 1) << "frame " << n;
  }
  EXPECT_EQ(PACEDueTime(&pace), 3600 * second);
  EXPECT_EQ(pace.frame, 0) << "the count stays below the rate";
}

// More than a frame behind, the missed frames are dropped: the loop shows
// one frame and the next is due at the next tick of the same schedule, not
// at once; a loop that stood still for a year moves on the same way.
TEST(Pace, ALoopThatFallsBehindDropsTheFramesItMissed) {
  Pace pace;
  PACEStart(&pace, 50, 0);  // a frame each 20 ms
  EXPECT_EQ(PACETake(&pace, 0, 1), 1);
  EXPECT_EQ(PACETake(&pace, 30 * ms, 1), 1) << "half a frame late";
  EXPECT_EQ(PACEDueTime(&pace), 40 * ms) << "less than a frame behind keeps every frame";
  EXPECT_EQ(PACETake(&pace, 105 * ms, 1), 1) << "frames 2 to 5 due at once";
  EXPECT_EQ(PACEDueTime(&pace), 120 * ms);
  EXPECT_EQ(PACETake(&pace, 110 * ms, 1), 0);
  const int64_t year = 365 * 24 * 3600 * second;
  EXPECT_EQ(PACETake(&pace, year + 5 * ms, 3), 3) << "at most the frames asked for";
  EXPECT_EQ(PACEDueTime(&pace), year + 20 * ms);
}

TEST(Pace, RatesOneAndAThousand) {
  Pace slow;
  PACEStart(&slow, 1, 7);
  EXPECT_EQ(dueTimes(slow, 3), (std::vector<int64_t>{7, second + 7, 2 * second + 7}));
  Pace fast;
  PACEStart(&fast, paceMaxRate, 0);
  std::vector<int64_t> times = dueTimes(fast, 2001);
  EXPECT_EQ(times[1], ms);
  EXPECT_EQ(times[2000], 2 * second);
}

// A rate of 0 never waits: one frame whenever asked, due at any reading. So
// does a rate the pace cannot keep, which is taken as 0.
TEST(Pace, RateZeroNeverWaits) {
  for (int32_t rate : {0, -1, paceMaxRate + 1}) {
    Pace pace;
    PACEStart(&pace, rate, 10 * second);
    EXPECT_EQ(pace.rate, 0) << rate;
    for (int64_t now : {int64_t{0}, 10 * second, 11 * second})
      EXPECT_EQ(PACETake(&pace, now, 4), 1);
    PACEWait(&pace);  // returns at once
  }
  EXPECT_EQ(PACEFrameTime(0), 0);
}

// A refresh-driven loop as the browser runs it: the schedule starts half a
// frame before the first refresh and each refresh (with up to 2 ms of
// jitter) takes up to 4 due frames. After the first, at 60 Hz each refresh
// gets one frame; at 144 Hz a refresh gets one or none; at 30 Hz each gets
// two. Ten seconds give 600 frames at every display rate.
TEST(Pace, ARefreshDrivenLoopKeepsItsRateAtAnyDisplayRate) {
  for (int hertz : {60, 144, 30}) {
    Pace pace;
    const int64_t first = 123 * ms;
    PACEStart(&pace, 60, first - PACEFrameTime(60) / 2);
    int64_t frames = 0;
    int least = 4, most = 0;
    for (int64_t r = 0; r < 10 * hertz; ++r) {
      int64_t jitter = (r * 7919 % 5 - 2) * ms / (r % 3 + 1);  // -2 .. 2 ms
      int64_t now = first + r * second / hertz + (r > 0 ? jitter : 0);
      int steps = PACETake(&pace, now, 4);
      frames += steps;
      if (r == 0) continue;
      least = std::min(least, steps);
      most = std::max(most, steps);
    }
    EXPECT_TRUE(frames >= 599 && frames <= 601) << frames << " frames at " << hertz << " Hz";
    EXPECT_EQ(least, hertz == 30 ? 2 : hertz == 60 ? 1 : 0) << hertz << " Hz";
    EXPECT_EQ(most, hertz == 30 ? 2 : 1) << hertz << " Hz";
  }
}

// On the real clock: frame 0 at once, frames 1 to 5 at 100 a second, so six
// waits take at least 50 ms.
TEST(Pace, WaitSleepsUntilTheNextFrameIsDue) {
  Pace pace;
  int64_t start = PACENow();
  PACEStart(&pace, 100, start);
  PACEWait(&pace);
  for (int i = 0; i < 5; ++i) PACEWait(&pace);
  EXPECT_GE(PACENow() - start, 50 * ms);
  EXPECT_GE(PACEDueTime(&pace), start + 60 * ms);
}

TEST(Pace, RatesFromText) {
  struct Case {
    const char *text;
    bool read;
    int32_t rate;
  };
  for (const Case &c :
       {Case{"60", true, 60}, Case{"0", true, 0}, Case{"1000", true, 1000}, Case{"1", true, 1},
        Case{"0030", true, 30}, Case{"1001", false, 7}, Case{"100000", false, 7},
        Case{"99999999999999999999", false, 7}, Case{"", false, 7}, Case{"-5", false, 7},
        Case{"+5", false, 7}, Case{"fast", false, 7}, Case{"60fps", false, 7},
        Case{" 60", false, 7}, Case{"6.5", false, 7}}) {
    int32_t rate = 7;
    EXPECT_EQ(PACERateFromText(c.text, &rate), c.read) << "'" << c.text << "'";
    EXPECT_EQ(rate, c.rate) << "'" << c.text << "'";
  }
  int32_t rate = 7;
  EXPECT_FALSE(PACERateFromText(nullptr, &rate));
  EXPECT_EQ(rate, 7);
}

}  // namespace
