// The windowed scene, rendered in-process from the generated pictures.
#include "scene_checks.h"

namespace {

// Hashes of frames far apart: any change of a single pixel, of the order of
// random draws or of a phase shows here. Update them only for a deliberate
// change of the pictures, the font or the message.
TEST(Scene, GoldenFrames) {
  expectGoldenFrames({{0, 0x0ull}, {1, 0x0ull}, {150, 0x0ull}, {1000, 0x0ull}});
}

TEST(Scene, FirstFrameLayout) { expectFirstFrameLayout(); }

TEST(Scene, TextTakesTheBarColoursOfItsRows) { expectTextInBarColours(700); }

}  // namespace
