// The demo on screen, under SDL's dummy video driver: the frame rate counter
// on SDL's clock, and a whole run that ends after the frame in which q was
// read.
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/vorn2112.h"
#include "scene_checks.h"
#include "tests/support.h"

namespace {

TEST(Demo, FramesPerSecondCountsItsCallsInTheFirstSecond) {
  ASSERT_EQ(SDL_Init(SDL_INIT_NOPARACHUTE | SDL_INIT_TIMER), 0);
  if (SDL_GetTicks() > 500) GTEST_SKIP() << "the machine is too slow to stay in the first second";
  int32_t rate = 0;
  for (int i = 0; i < 10; ++i) rate = VORN2112FramesPerSecond();
  EXPECT_EQ(rate, 10);
  SDL_Quit();
}

// A q queued before the first frame: frame 0 is drawn and shown in full,
// the frame says the run is over, and the end releases everything.
TEST(Demo, RunEndsAfterTheFrameInWhichQWasRead) {
  ASSERT_EQ(SDL_Init(SDL_INIT_NOPARACHUTE), 0);
  {
    DemoRun run(Presentation::onScreen);
    ASSERT_TRUE(run.started()) << "needs the pictures and SDL_VIDEODRIVER=dummy";
    EXPECT_EQ(demo.backBuffer->width, defaultWidth);
    EXPECT_EQ(demo.backBuffer->height, defaultHeight);
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.type = SDL_KEYDOWN;
    press.key.state = SDL_PRESSED;
    press.key.keysym.sym = SDLK_q;
    SDLKBDGetKey(demo.keyboard);  // what the mode set queued
    demo.keyboard->keys[0] = 0;
    ASSERT_EQ(SDL_PushEvent(&press), 0);

    EXPECT_FALSE(VORN2112Frame());
    EXPECT_TRUE(demo.quitRequested);
    EXPECT_EQ(demo.frame, 1);
    EXPECT_EQ(demo.keyboard->keys[0], 0) << "the key byte is cleared after every frame";
    EXPECT_TRUE(hashesTo(demo.backBuffer, 0x9f0def2ecf99de13ull, 0)) << "only frame 0 was drawn";
    if (SDL_GetVideoSurface()->format->BitsPerPixel >= 24) {
      EXPECT_EQ(screenPixel(100, 100), demo.backBuffer->pixels[100 * defaultWidth + 100] & 0xFFFFFF)
          << "the screen shows frame 0";
    }
  }
  EXPECT_EQ(demo.backBuffer, nullptr);
  EXPECT_EQ(demo.keyboard, nullptr);
  EXPECT_EQ(demo.display, nullptr);
  EXPECT_EQ(demo.scroller, nullptr);
  EXPECT_EQ(demo.textFont, nullptr);
  VORN2112End();  // a second end finds nothing left to release
  SDL_Quit();
}

}  // namespace
