// Display and keyboard under SDL's dummy video driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "os/os.h"
#include "platform/backend.h"
#include "platform/display.h"
#include "platform/keyboard.h"
#include "tests/support.h"

namespace {

class Platform : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_NOPARACHUTE), 0) << SDL_GetError(); }
  void TearDown() override {
    if (keyboard != nullptr) SDLKBDFree(&keyboard);
    if (display != nullptr) SDLDPYFree(&display);
    SDL_Quit();
  }
  // Makes the display with a w x h mode; false on a screen of fewer colours
  // (the classic SDL's dummy driver gives an 8-bit palette), whose colours
  // cannot be compared exactly.
  bool trueColourMode(int32_t w, int32_t h) {
    display = SDLDPYNew();
    SDLDPYSetMode(display, w, h);
    return SDL_GetVideoSurface()->format->BitsPerPixel >= 24;
  }
  static std::string fewColours() {
    const SDL_PixelFormat *format = SDL_GetVideoSurface()->format;
    return "the video driver gave a screen of " + std::to_string(format->BitsPerPixel) +
           " bits a pixel" + (format->palette != nullptr ? ", with a palette" : "");
  }
  Display *display = nullptr;
  Keyboard *keyboard = nullptr;
};

void pushKey(Uint8 type, SDLKey sym) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = sym;
  ASSERT_EQ(SDL_PushEvent(&event), 0);
}

TEST_F(Platform, DisplayIsASingletonWithAFirstMode) {
  display = SDLDPYNew();
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(SDLDPYNew(), display);
  EXPECT_EQ(display->width, 256);
  EXPECT_EQ(display->height, 256);
  EXPECT_EQ(display->depth, SDL_GetVideoSurface()->format->BitsPerPixel);
  EXPECT_EQ(SDLDPYCopy(display), display);
  EXPECT_TRUE(SDLDPYEqual(display, display));
  Display other{};
  EXPECT_FALSE(SDLDPYEqual(display, &other));
  EXPECT_EQ(SDLDPYCopy(&other), nullptr);
  EXPECT_STREQ(SDLDPYToASCII(display), "");
  EXPECT_EQ(SDLDPYFromASCII("anything"), nullptr);
}

TEST_F(Platform, SetModeRecordsSizeAndTitlesTheWindow) {
  display = SDLDPYNew();
  SDLDPYSetMode(display, 640, 480);
  EXPECT_EQ(display->width, 640);
  EXPECT_EQ(display->height, 480);
  char *title = nullptr, *icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  EXPECT_STREQ(title, "VORN2112");
  EXPECT_STREQ(icon, "VORN2112");
  SDL_Surface *screen = SDL_GetVideoSurface();
  SDLDPYSetMode(display, -1, 480);
  EXPECT_EQ(display->width, 640);
  EXPECT_EQ(SDL_GetVideoSurface(), screen);
}

TEST_F(Platform, FreeClearsTheCallersPointer) {
  display = SDLDPYNew();
  Display *alias = display;
  SDLDPYFree(&display);
  EXPECT_EQ(display, nullptr);
  SDLDPYFree(&alias);  // no longer the display: ignored
  EXPECT_NE(alias, nullptr);
  EXPECT_FALSE(SDLDPYExists());
}

// Reads the screen back after presents of images smaller than, equal to and
// larger than the display, and wider than an SDL surface's row can be: the
// top-left w x h area shows the image's own rows.
TEST_F(Platform, ShowPresentsTheImagesTopLeftArea) {
  if (!trueColourMode(64, 48)) GTEST_SKIP() << fewColours();
  for (auto [w, h] : std::vector<std::pair<int, int>>{{20, 10}, {64, 48}, {100, 70}, {20000, 50}}) {
    fillScreen(0x123456);
    Image *image = paintedImage(w, h);
    SDLDPYShow(display, image);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        uint32_t expected = x < w && y < h ? image->pixels[y * w + x] & 0xFFFFFF : 0x123456;
        ASSERT_EQ(screenPixel(x, y), expected) << w << "x" << h << " at " << x << "," << y;
      }
    IMGFree(&image);
  }
}

TEST_F(Platform, PutPixelsNeedsTheDisplaysExactSize) {
  if (!trueColourMode(32, 16)) GTEST_SKIP() << fewColours();
  fillScreen(0x000000);
  Image *narrow = paintedImage(31, 16);
  SDLDPYPutPixels(display, narrow);
  SDLDPYFlip(display, narrow);
  EXPECT_EQ(screenPixel(0, 0), 0u);
  Image *exact = paintedImage(32, 16);
  SDLDPYPutPixels(display, exact);
  EXPECT_EQ(screenPixel(31, 15), exact->pixels[16 * 32 - 1] & 0xFFFFFF);
  EXPECT_EQ(screenPixel(0, 0), exact->pixels[0] & 0xFFFFFF);
  IMGFree(&narrow);
  IMGFree(&exact);
}

// A present to a display that is not the one, of a null image or of an image
// without pixels changes nothing on the screen; a proper one still shows.
TEST_F(Platform, PresentsOfBadArgumentsLeaveTheScreenAlone) {
  if (!trueColourMode(8, 8)) GTEST_SKIP() << fewColours();
  fillScreen(0x123456);
  Image *image = paintedImage(8, 8);
  Image hollow{8, 8, nullptr};
  Display other = *display;
  SDLDPYShow(&other, image);
  SDLDPYPutPixels(&other, image);
  SDLDPYShow(display, nullptr);
  SDLDPYPutPixels(display, nullptr);
  SDLDPYShow(display, &hollow);
  SDLDPYPutPixels(display, &hollow);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(screenPixel(x, y), 0x123456u) << x << "," << y;
  SDLDPYShow(display, image);
  EXPECT_EQ(screenPixel(7, 7), image->pixels[63] & 0xFFFFFF);
  IMGFree(&image);
}

TEST_F(Platform, KeyboardNeedsADisplayAndIsASingleton) {
  EXPECT_EQ(SDLKBDNew(), nullptr);
  display = SDLDPYNew();
  keyboard = SDLKBDNew();
  ASSERT_NE(keyboard, nullptr);
  EXPECT_EQ(SDLKBDNew(), keyboard);
  EXPECT_TRUE(SDLKBDEqual(keyboard, keyboard));
  EXPECT_EQ(SDLKBDCopy(keyboard), nullptr);
  EXPECT_EQ(SDLKBDFromASCII(""), nullptr);
  EXPECT_STREQ(SDLKBDToASCII(keyboard), "");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(keyboard->keys[i], 0);
}

TEST_F(Platform, GetKeyKeepsTheLastKeyEvent) {
  display = SDLDPYNew();
  keyboard = SDLKBDNew();
  SDLKBDGetKey(keyboard);  // drain whatever the mode set queued
  keyboard->keys[0] = 0;

  pushKey(SDL_KEYDOWN, SDLK_a);
  pushKey(SDL_KEYDOWN, SDLK_b);
  SDLKBDGetKey(keyboard);
  EXPECT_EQ(keyboard->keys[0], 98);

  SDLKBDGetKey(keyboard);  // empty queue: unchanged
  EXPECT_EQ(keyboard->keys[0], 98);

  pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  pushKey(SDL_KEYUP, SDLK_ESCAPE);
  SDLKBDGetKey(keyboard);
  EXPECT_EQ(keyboard->keys[0], 0) << "a press released before the poll is lost";

  pushKey(SDL_KEYDOWN, SDLK_UP);
  SDLKBDGetKey(keyboard);
  EXPECT_EQ(keyboard->keys[0], 273 & 0xFF);
}

// Keys without a character have symbols above 255. Their low byte is kept,
// unless it would read as Escape, Q or q: then the top bit is set, so that
// such a key never ends the demo. Escape, q and the letters stay as they are.
TEST_F(Platform, KeysAboveTheCharactersNeverReadAsEndingKeys) {
  display = SDLDPYNew();
  keyboard = SDLKBDNew();
  SDLKBDGetKey(keyboard);
  struct Case {
    int32_t symbol;
    uint8_t code;
  };
  const Case cases[] = {
      {SDLK_ESCAPE, 27}, {SDLK_q, 'q'},    {SDLK_a, 'a'}, {SDLK_SPACE, ' '}, {255, 255},
      {SDLK_UP, 17},     {SDLK_DOWN, 18},  {SDLK_F1, 26}, {SDLK_F2, 155},    {SDLK_F3, 28},
      {256 + 'Q', 209},  {256 + 'q', 241}, {1105, 209},   {1137, 241},       {1083, 59},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(SDLKBDCode(c.symbol), c.code) << "symbol " << c.symbol;
    if (c.symbol > SDLK_LAST) continue;  // beyond what this SDL can queue
    pushKey(SDL_KEYDOWN, static_cast<SDLKey>(c.symbol));
    SDLKBDGetKey(keyboard);
    EXPECT_EQ(keyboard->keys[0], c.code) << "symbol " << c.symbol;
  }
}

TEST_F(Platform, GetKeyDropsOtherEvents) {
  display = SDLDPYNew();
  keyboard = SDLKBDNew();
  SDLKBDGetKey(keyboard);
  keyboard->keys[0] = 'x';
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  SDL_PushEvent(&motion);
  SDL_Event focus{};
  focus.type = SDL_ACTIVEEVENT;
  SDL_PushEvent(&focus);
  SDLKBDGetKey(keyboard);
  EXPECT_EQ(keyboard->keys[0], 'x');
  SDL_Event left;
  EXPECT_EQ(SDL_PollEvent(&left), 0) << "every event is consumed";
}

TEST_F(Platform, KeyboardFreeClearsThePointer) {
  display = SDLDPYNew();
  keyboard = SDLKBDNew();
  SDLKBDFree(&keyboard);
  EXPECT_EQ(keyboard, nullptr);
  SDLKBDFree(&keyboard);  // reported (silently), nothing else
  SDLKBDFree(nullptr);
  keyboard = SDLKBDNew();
  EXPECT_NE(keyboard, nullptr) << "a freed keyboard can be made again";
}

// Keeps an environment variable's value and puts it back afterwards.
class SavedVariable {
 public:
  explicit SavedVariable(const char *name) : name_(name) {
    const char *value = std::getenv(name);
    had_ = value != nullptr;
    if (had_) value_ = value;
  }
  ~SavedVariable() {
    if (had_)
      OSSetVariable(name_, value_.c_str(), true);
    else
      OSUnsetVariable(name_);
  }

 private:
  const char *name_;
  bool had_ = false;
  std::string value_;
};

// Over SDL 2, Wayland cannot be reached without any of the three variables:
// the drivers that could still show a window are named, and a choice the
// user made, or a Wayland session, is left alone; a scaling method the user
// chose is kept. The classic library is left alone.
TEST(PlatformDrivers, WaylandIsSkippedOnlyWhenNothingCouldReachIt) {
  SavedVariable driver("SDL_VIDEODRIVER"), wayland("WAYLAND_DISPLAY"), runtime("XDG_RUNTIME_DIR"),
      scale("SDL12COMPAT_SCALE_METHOD");
  const SDL_version *linked = SDL_Linked_Version();
  const bool overSdl2 = linked->patch >= 50;
  for (const char *name : {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
    OSUnsetVariable(name);
  OSSetVariable("SDL12COMPAT_SCALE_METHOD", "linear", true);
  backendPrepareProcess();
  const char *chosen = std::getenv("SDL_VIDEODRIVER");
  if (overSdl2)
    EXPECT_STREQ(chosen, "x11,kmsdrm");
  else
    EXPECT_EQ(chosen, nullptr);
  EXPECT_STREQ(std::getenv("SDL12COMPAT_SCALE_METHOD"), "linear");
  for (const char *name : {"WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"}) {
    OSUnsetVariable("SDL_VIDEODRIVER");
    OSSetVariable(name, "set", true);
    backendPrepareProcess();
    EXPECT_EQ(std::getenv("SDL_VIDEODRIVER"), nullptr) << name;
    OSUnsetVariable(name);
  }
  OSSetVariable("SDL_VIDEODRIVER", "dummy", true);
  backendPrepareProcess();
  EXPECT_STREQ(std::getenv("SDL_VIDEODRIVER"), "dummy");
}

}  // namespace
