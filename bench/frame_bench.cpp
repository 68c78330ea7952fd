// The whole frame, stages 1 to 17 of the scene at the program's own size,
// beside its memory floor: a memset of the back buffer plus a memcpy of as
// many bytes as the frame's blits, additions and mask move (the dissolving
// picture, the logo, two rainbow copies and the two strips).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/scene.h"
#include "app/vorn2112.h"
#include "bench/pair.h"

namespace {

// The scene renders from the first frame on for the life of the process.
bool sceneReady() {
  static const bool ready = VORN2112Start(vorn2112Scene, Presentation::offScreen);
  return ready;
}

// Bytes of the scene's pictures and strips that one frame blits, adds or masks.
size_t framePictureBytes(size_t w, size_t h) {
  const size_t pixels = w * (h / 2)          // the dissolving picture
                        + (w / 6) * (h / 4)  // the logo
                        + 2 * (w / 2) * h    // two rainbow copies
                        + 2 * w * 8;         // the mask and the text strip's blit
  return pixels * sizeof(uint32_t);
}

void WholeFrame(benchmark::State &state) {
  if (!sceneReady()) {
    state.SkipWithError("the pictures are missing: run in build/bin");
    return;
  }
  const size_t w = demo.backBuffer->width, h = demo.backBuffer->height;
  const size_t bytes = framePictureBytes(w, h);
  std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
  measurePair(
      state, 1, [] { VORN2112Frame(); },
      [&] {
        std::memset(demo.backBuffer->pixels, 0, w * h * sizeof(uint32_t));
        std::memcpy(to.data(), from.data(), bytes);
      });
  state.SetLabel(std::to_string(w) + "x" + std::to_string(h) + " vs memory floor");
}
VORN_PAIR(WholeFrame);

}  // namespace
