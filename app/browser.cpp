// The demo's entry point in a web browser. The browser owns the loop: it
// calls one frame step per display refresh (requestAnimationFrame). The step
// that sees Escape, Q or q stops the loop and tells the page (Module.onEnd);
// the run's pictures and the display stay, and vornRestart takes the run
// back to frame 0 in the same page (the life cycle's restart). A missing
// picture ends the program at once with status 1, after the same message the
// desktop prints.
//
// The page reaches a few functions of its own: the number of the frame on
// the canvas, a frame to hold the loop at (so that a frame's pixels can be
// read at a known number), unpaced running and the restart; it is told how
// long each frame step took (Module.vornTimes, web/vorn2112-page.js).
#include <emscripten.h>

#include "app/scene.h"
#include "app/vorn2112.h"
#include "platform/system.h"

namespace {

int32_t holdAt = -1;     // steps do nothing once this frame is shown; -1: never
bool unpaced = false;    // wanted: a step as soon as the browser is free
bool timingSet = false;  // `unpaced` is in force
bool runEnded = false;   // the loop is gone until vornRestart

// clang-format off
// Tells a page that measures (Module.vornTimes) how long a frame step took.
EM_JS(void, noteStep, (double ms), {
  if (Module['vornTimes']) Module['vornTimes'].note('step', ms);
});
// clang-format on

void endRun() {
  emscripten_cancel_main_loop();
  runEnded = true;
  EM_ASM(if (Module['onEnd']) Module['onEnd']());
}

// The browser's loop timing can only be changed once the loop exists.
void applyTiming() {
  if (unpaced)
    emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
  else
    emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
  timingSet = true;
}

// The number of the frame on the canvas; -1 before the first.
int32_t shownFrame() { return demo.frame - 1; }

// Holding keeps the browser's loop running with steps that do nothing, so
// the loop's timing needs no setting again when the hold is let go.
void step() {
  if (!timingSet) applyTiming();
  if (holdAt >= 0 && shownFrame() == holdAt) return;
  double start = emscripten_get_now();
  bool running = VORN2112Frame();
  noteStep(emscripten_get_now() - start);
  if (!running) endRun();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int32_t vornShownFrame() { return shownFrame(); }

// Runs on until frame `frame` is on the canvas and holds there (holding at
// the frame already shown keeps it there); a frame already passed, or -1,
// lets the loop run freely. After the end of a run, the hold is for the next.
EMSCRIPTEN_KEEPALIVE void vornHoldAt(int32_t frame) {
  holdAt = runEnded || frame >= shownFrame() ? frame : -1;
}

// Unpaced: a step as soon as the browser is free again, not once per refresh.
EMSCRIPTEN_KEEPALIVE void vornUnpaced(int on) {
  unpaced = on != 0;
  timingSet = false;
}

// A new run from frame 0 once the last has ended; nothing while one runs.
// Out of memory, the program ends with status 1 as a failed start does.
EMSCRIPTEN_KEEPALIVE void vornRestart() {
  if (!runEnded) return;
  if (!VORN2112Restart()) {
    VORN2112End();
    SDLSYSQuit();
    emscripten_force_exit(1);
  }
  runEnded = false;
  timingSet = false;
  emscripten_set_main_loop(step, 0, false);
}
}

int main() {
  if (!SDLSYSStart(demo.programName)) return 1;
  if (!VORN2112Start(vorn2112Scene, Presentation::onScreen)) {
    VORN2112End();
    return 1;
  }
  // The runtime stays for a restart after the end of a run, when the loop is
  // gone; only a failed start ends the program.
  EM_ASM(runtimeKeepalivePush());
  emscripten_set_main_loop(step, 0, true);
  return 0;
}
