// The full-screen scene (320 x 200), rendered in-process.
#include "scene_checks.h"

namespace {

TEST(SceneFullScreen, GoldenFrames) {
  expectGoldenFrames({{0, 0x0ull}, {1, 0x0ull}, {150, 0x0ull}, {1000, 0x0ull}});
}

TEST(SceneFullScreen, FirstFrameLayout) { expectFirstFrameLayout(); }

TEST(SceneFullScreen, TextTakesTheBarColoursOfItsRows) { expectTextInBarColours(700); }

}  // namespace
