// The demo's skeleton off screen: the keys that end it, its silent error
// routine, and an end that is safe after a failed start.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/vorn2112.h"
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
