// The full-screen scene (320 x 200), rendered in-process.
#include "scene_checks.h"
#include "tests/support.h"

namespace {

TEST(SceneFullScreen, GoldenFrames) {
  expectGoldenFrames({{0, 0x5ae542f59995103eull},
                      {1, 0x35fb9ad72169eb5aull},
                      {150, 0x525db83a52510786ull},
                      {1000, 0x8261221414df83a3ull}});
}

TEST(SceneFullScreen, FirstFrameLayout) { expectFirstFrameLayout(); }

TEST(SceneFullScreen, TextTakesTheBarColoursOfItsRows) { expectTextInBarColours(700); }

TEST(SceneFullScreen, RestartRepeatsTheFirstFrames) { expectRestartRepeatsTheFirstFrames(); }

}  // namespace
