// Heap allocations of a running demo, counted by a hook on the process's
// allocator: the frame's stages allocate nothing, and neither does the
// present once it runs. Under SDL's dummy video driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/scene.h"
#include "app/vorn2112.h"
#include "platform/display.h"
#include "tests/alloc_hook.h"
#include "tests/support.h"

namespace {

// Keeps the compiler from pairing up and removing a test's own allocations.
void *volatile sink = nullptr;

TEST(AllocationHook, SeesEveryWayToAllocate) {
  const long before = allocationCount();
  void *a = std::malloc(24);
  sink = a;
  void *b = std::calloc(3, 8);
  sink = b;
  a = std::realloc(a, 4096);
  sink = a;
  int *c = new int[5];
  sink = c;
  EXPECT_EQ(allocationCount() - before, 4);
  delete[] c;
  std::free(a);
  std::free(b);
  EXPECT_EQ(allocationCount() - before, 4) << "releasing is not allocating";
}

TEST(Allocation, TheFramesStagesAllocateNothing) {
  ASSERT_TRUE(VORN2112SetupOffscreen() && VORN2112PrepareScene())
      << "run the tests in build/bin, beside the pictures";
  const long before = allocationCount();
  for (int frame = 0; frame < 100; ++frame) VORN2112Frame();  // stages 1 to 17
  EXPECT_EQ(allocationCount() - before, 0);
  VORN2112ReleaseScene();
  VORN2112Teardown();
}

class Present : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_NOPARACHUTE), 0) << SDL_GetError();
    display = SDLDPYNew();
    ASSERT_NE(display, nullptr);
  }
  void TearDown() override {
    if (display != nullptr) SDLDPYFree(&display);
    SDL_Quit();
  }
  Display *display = nullptr;
};

TEST_F(Present, ShowAllocatesNothingOnceRunning) {
  SDLDPYSetMode(display, defaultWidth, defaultHeight);
  Image *frame = paintedImage(defaultWidth, defaultHeight, 7);
  SDLDPYShow(display, frame);  // the first present may set itself up
  const long before = allocationCount();
  for (int i = 0; i < 100; ++i) {
    frame->pixels[i] ^= 0x00FFFFFF;
    SDLDPYShow(display, frame);
  }
  EXPECT_EQ(allocationCount() - before, 0);
  IMGFree(&frame);
}

// The present keeps what it needs between frames; a new pixel array, a new
// image size or a new mode must still show the image as it is now.
TEST_F(Present, ShowFollowsNewPixelsSizesAndModes) {
  SDLDPYSetMode(display, 64, 48);
  if (SDL_GetVideoSurface()->format->BitsPerPixel < 24) GTEST_SKIP() << "palette screen";
  Image *image = paintedImage(64, 48, 1);
  auto expectShown = [&](int32_t w, int32_t h) {
    SDLDPYShow(display, image);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        ASSERT_EQ(screenPixel(x, y), image->pixels[y * image->width + x] & 0xFFFFFF)
            << image->width << "x" << image->height << " at " << x << "," << y;
  };
  expectShown(64, 48);
  image->pixels[5] = 0x00ABCDEF;  // the same array, changed in place
  expectShown(64, 48);
  IMGResize(image, 40, 30);  // a new array, narrower rows
  for (int32_t i = 0; i < 40 * 30; ++i) image->pixels[i] = 0x00010203u * uint32_t(i % 77);
  expectShown(40, 30);
  SDLDPYSetMode(display, 32, 16);  // a new screen, smaller than the image
  expectShown(32, 16);
  IMGFree(&image);
}

}  // namespace
