// The demo's skeleton off screen: the keys that end it, the rate from the
// environment, its silent error routine, and an end that is safe after a
// failed start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/vorn2112.h"
#include "os/os.h"
#include "scene_checks.h"
#include "tests/support.h"

namespace {

TEST(Demo, OnlyEscapeAndBothQsEndTheDemo) {
  demo.quitRequested = false;
  for (int key : std::initializer_list<int>{0, ' ', 'a', 'x', 26, 28, 'p', 'R', -1, -128, 127}) {
    VORN2112Key(static_cast<int8_t>(key));
    EXPECT_FALSE(demo.quitRequested) << key;
  }
  // Codes from 128 arrive as negative numbers and match none of the three.
  VORN2112Key(static_cast<int8_t>(0x80 | 'q'));
  EXPECT_FALSE(demo.quitRequested);
  for (int key : std::initializer_list<int>{'q', 'Q', 27}) {
    demo.quitRequested = false;
    VORN2112Key(static_cast<int8_t>(key));
    EXPECT_TRUE(demo.quitRequested) << key;
  }
}

// VORN2112_FPS: unset, 60; a whole number 0 .. 1000 as it is; anything else
// said on standard error, in one line that names the variable, the value,
// what it takes and the rate shown instead, which is 60.
TEST(Demo, FrameRateComesFromTheEnvironment) {
  ASSERT_TRUE(OSUnsetVariable("VORN2112_FPS"));
  EXPECT_EQ(VORN2112FrameRate(), 60);
  for (const char *bad : {"fast", "", "-1", "100000", "60.0"}) {
    ASSERT_TRUE(OSSetVariable("VORN2112_FPS", bad, true));
    if (std::getenv("VORN2112_FPS") == nullptr) continue;  // Windows holds no empty value
    testing::internal::CaptureStderr();
    EXPECT_EQ(VORN2112FrameRate(), 60) << bad;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("vorn2112: VORN2112_FPS='") + bad +
                  "' is not a whole number of frames a second from 1 to 1000 (or 0 for no "
                  "waiting); showing 60 a second\n");
  }
  for (auto [text, rate] : {std::pair{"30", 30}, std::pair{"0", 0}, std::pair{"1000", 1000}}) {
    ASSERT_TRUE(OSSetVariable("VORN2112_FPS", text, true));
    testing::internal::CaptureStderr();
    EXPECT_EQ(VORN2112FrameRate(), rate);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  }
  OSUnsetVariable("VORN2112_FPS");
}

TEST(Demo, ErrorRoutineIsSilentUnlessVerbose) {
  testing::internal::CaptureStdout();
  VORN2112Error();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// An end after a start that failed at its first picture releases what was
// made; a start that follows works as the first would have. The working
// directory's unreadable font is taken before any other (Windows would find
// the real one beside the test program).
TEST(Demo, EndIsSafeAfterAFailedStart) {
  const std::filesystem::path here = std::filesystem::current_path();
  ScratchFolder empty("vorn-no-pictures");
  std::ofstream(empty / "font8x8.pbm", std::ios::binary) << "P4\n";
  std::filesystem::current_path(empty.path());
  testing::internal::CaptureStderr();
  EXPECT_FALSE(VORN2112Start(vorn2112Scene, Presentation::offScreen));
  const std::string said = testing::internal::GetCapturedStderr();
  VORN2112End();
  VORN2112End();
  std::filesystem::current_path(here);
  EXPECT_NE(said.find("cannot load 'font8x8.pbm'"), std::string::npos) << said;
  EXPECT_EQ(demo.backBuffer, nullptr);
  EXPECT_EQ(demo.textFont, nullptr);
  DemoRun run;
  ASSERT_TRUE(run.started());
  VORN2112Frame();
  EXPECT_TRUE(hashesTo(demo.backBuffer, 0x9f0def2ecf99de13ull, 0));
}

}  // namespace
