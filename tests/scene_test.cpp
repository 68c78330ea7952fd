// The windowed scene, rendered in-process from the generated pictures.
#include "scene_checks.h"
#include "tests/support.h"

namespace {

// Hashes of frames far apart: any change of a single pixel, of the order of
// random draws or of a phase shows here. Update them only for a deliberate
// change of the pictures, the font or the message.
TEST(Scene, GoldenFrames) {
  expectGoldenFrames({{0, 0x9f0def2ecf99de13ull},
                      {1, 0xb2bc1a19b3ecc104ull},
                      {150, 0x214a3cacbb61de7aull},
                      {1000, 0x86325cb3da61d944ull}});
}

TEST(Scene, FirstFrameLayout) { expectFirstFrameLayout(); }

TEST(Scene, TextTakesTheBarColoursOfItsRows) { expectTextInBarColours(700); }

TEST(Scene, RestartRepeatsTheFirstFrames) { expectRestartRepeatsTheFirstFrames(); }

}  // namespace
