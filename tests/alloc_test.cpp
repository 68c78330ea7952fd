// Heap allocations of a running demo, counted by a hook on the process's
// allocator: the frame's stages allocate nothing, and neither does the
// present once it runs; and whichever allocation of set-up, the preparation
// and the first frames fails, the run either draws the very frames of a
// normal run or stops with a message, releasing what it made. Under SDL's
// dummy video driver; built without the display (VORN_DISPLAY=OFF), where
// SDL's headers are not at hand, only the cases off screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/scene.h"
#include "app/vorn2112.h"
#include "tests/alloc_hook.h"
#include "tests/demo_run.h"
#include "tests/support.h"

#if __has_include(<SDL.h>)
#define ALLOC_TEST_DISPLAY
#include <SDL.h>

#include "platform/display.h"
#include "platform/system.h"
#endif

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
  DemoRun run;
  ASSERT_TRUE(run.started()) << "the pictures are missing";
  const long before = allocationCount();
  for (int frame = 0; frame < 100; ++frame) VORN2112Frame();  // stages 1 to 17
  EXPECT_EQ(allocationCount() - before, 0);
}

#ifdef ALLOC_TEST_DISPLAY
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
#endif

// One run of the demo's phases as the programs run them: set-up (with or
// without a display), the preparation, three frames, the release and the
// tear-down, with one allocation failing.
struct Outcome {
  bool drew = false;             // every phase succeeded and three frames were drawn
  std::vector<uint32_t> frames;  // a hash of each frame drawn
  std::string said;              // standard error
  std::string printed;           // standard output
  long allocations = 0;          // allocations the run made
};

uint32_t hashOf(const Image *image) {
  uint32_t hash = 2166136261u;
  for (int64_t i = 0; i < int64_t{image->width} * image->height; ++i)
    hash = (hash ^ image->pixels[i]) * 16777619u;
  return hash;
}

// Which allocations a sweep fails.
enum class Failing {
  everything,  // every allocation of the process, from SDL's start on
  ownOnly,     // only the demo's own, from SDL's start on
  afterSetUp,  // every allocation, SDL's included, once set-up is done
};

// What arms the failing allocation: the allocation of the run that fails,
// counted from 1 among those it covers (0 fails none), and the count when it
// was armed.
struct Arming {
  long failAhead = 0;
  bool ownOnly = false;
  long before = 0;
};
Arming arming;

long countedAllocations() { return arming.ownOnly ? ownAllocationCount() : allocationCount(); }

void arm() {
  failAllocationAhead(arming.failAhead, arming.ownOnly);
  arming.before = countedAllocations();
}

// The scene, armed between set-up and the preparation.
bool armThenPrepare() {
  arm();
  return vorn2112Scene.prepare();
}

Outcome runPhases(bool withDisplay, long failAhead, Failing failing) {
  Outcome run;
  run.frames.reserve(3);  // the test's own allocations stay out of the run
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  arming = {failAhead, failing == Failing::ownOnly, 0};
  ScenePhases scene = vorn2112Scene;
  if (failing == Failing::afterSetUp)
    scene.prepare = armThenPrepare;
  else
    arm();
#ifdef ALLOC_TEST_DISPLAY
  bool sdlStarted = withDisplay && SDLSYSStart(demo.programName);
  const Presentation &where = withDisplay ? Presentation::onScreen : Presentation::offScreen;
#else
  const bool sdlStarted = false;
  const Presentation &where = Presentation::offScreen;
#endif
  if (!withDisplay || sdlStarted) {
    DemoRun demoRun(where, scene);
    run.drew = demoRun.started();
    for (int frame = 0; run.drew && frame < 3; ++frame) {
      VORN2112Frame();
      run.frames.push_back(hashOf(demo.backBuffer));
    }
  }
#ifdef ALLOC_TEST_DISPLAY
  if (sdlStarted) SDLSYSQuit();
#endif
  failAllocationAhead(0);
  run.allocations = countedAllocations() - arming.before;
  std::fflush(stdout);
  run.printed = testing::internal::GetCapturedStdout();
  run.said = testing::internal::GetCapturedStderr();
  return run;
}

#ifdef VORN_ALLOC_HOOK_SANITIZER
extern "C" int __lsan_do_recoverable_leak_check();
bool leaked() { return __lsan_do_recoverable_leak_check() != 0; }
#else
bool leaked() { return false; }
#endif

// Fails each allocation of a normal run in turn: the run either draws the
// normal run's frames without a word, or stops with a message of the
// program's on standard error (and maybe the image module's report), and
// leaves nothing allocated.
void sweep(bool withDisplay, Failing failing) {
  const Outcome normal = runPhases(withDisplay, 0, failing);
  ASSERT_TRUE(normal.drew) << "run the tests in build/bin, beside the pictures: " << normal.said;
  ASSERT_EQ(normal.frames.size(), 3u);
  EXPECT_EQ(normal.said, "");
  EXPECT_EQ(normal.printed, "");
  int stopped = 0;
  for (long n = 1; n <= normal.allocations; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(normal.allocations) +
                 " failing");
    Outcome run = runPhases(withDisplay, n, failing);
    if (run.drew) {
      EXPECT_EQ(run.frames, normal.frames);
    } else {
      ++stopped;
      EXPECT_EQ(run.said.rfind(std::string(demo.programName) + ": ", 0), 0u)
          << "said: " << run.said;
      // SDL's dummy driver, asked for, is a display: only memory ran out.
      EXPECT_EQ(run.said.find("no display"), std::string::npos) << "said: " << run.said;
    }
    EXPECT_FALSE(leaked());
    if (testing::Test::HasFailure()) break;  // the first failing allocation tells enough
  }
  std::printf("%ld allocations; %d runs stopped with a message, the others drew every frame\n",
              normal.allocations, stopped);
}

// Off screen every allocation of the process fails in turn, the C library's
// included.
TEST(AllocationFailure, OffscreenRunsDrawTheRightFramesOrStopWithAMessage) {
  sweep(false, Failing::everything);
}

#ifdef ALLOC_TEST_DISPLAY
// With a display, set-up fails only the demo's own allocations: SDL 2 does
// not survive every failure of its own while it sets a video mode. From the
// preparation on, SDL's fail too (the first present makes a surface).
TEST(AllocationFailure, DemoRunsDrawTheRightFramesOrStopWithAMessage) {
  sweep(true, Failing::ownOnly);
  sweep(true, Failing::afterSetUp);
}
#endif

}  // namespace
