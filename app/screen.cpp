// The demo on screen: the display and the keyboard over SDL as the life
// cycle's presentation, and SDL's clock. Only the programs that show the demo
// link this file; the capture tools and the rest of the demo need no SDL.
#include <cstdio>

#include "app/vorn2112.h"
#include "platform/display.h"
#include "platform/keyboard.h"
#include "platform/system.h"

namespace {

// The display with the build's mode, and the keyboard; false, said why, when
// memory ran out or nobody could see the window.
bool openScreen() {
  demo.display = SDLDPYNew();
  demo.keyboard = SDLKBDNew();
  // Either record is null only when memory ran out (the keyboard also needs a
  // display, which SDLDPYNew makes even when no mode can be set).
  if (demo.display == nullptr || demo.keyboard == nullptr) {
    VORN2112OutOfMemory();
    return false;
  }
  SDLDPYSetMode(demo.display, defaultWidth, defaultHeight);
  if (!SDLDPYIsVisible(demo.display)) {
    std::fprintf(stderr, "%s: cannot open a %dx%d window: no display\n", demo.programName,
                 defaultWidth, defaultHeight);
    return false;
  }
  return true;
}

void showFrame() { SDLDPYShow(demo.display, demo.backBuffer); }

void pollKeys() {
  SDLKBDGetKey(demo.keyboard);
  VORN2112Key(static_cast<int8_t>(demo.keyboard->keys[0]));
  demo.keyboard->keys[0] = 0;
}

// The keyboard, then the display last of all.
void closeScreen() {
  if (demo.keyboard != nullptr) SDLKBDFree(&demo.keyboard);
  if (demo.display != nullptr) SDLDPYFree(&demo.display);
}

}  // namespace

const Presentation Presentation::onScreen = {openScreen, showFrame, pollKeys, closeScreen};

int32_t VORN2112FramesPerSecond() {
  ++demo.fpsFrames;
  uint32_t seconds = SDLSYSTicks() / 1000;
  return demo.fpsFrames / static_cast<int32_t>(seconds + 1);
}
