// The demo's entry point in a web browser. The browser owns the loop: it
// calls back at each display refresh (requestAnimationFrame), and the
// callback runs as many frame steps as the pace has due on the browser's
// clock, at most a few: on a 60 Hz display one a refresh, on a faster one
// none at some refreshes, on a 30 Hz one two, so the demo keeps its rate of
// frames (VORN2112_FPS, which the page sets from the address, as on the
// desktop; 0 runs a step whenever the browser is free). The step that sees
// Escape, Q or q stops the loop and tells the page (Module.onEnd);
// the run's pictures and the display stay, and vornRestart takes the run
// back to frame 0 in the same page (the life cycle's restart). A missing
// picture ends the program at once with status 1, after the same message the
// desktop prints.
//
// The page reaches a few functions of its own: the number of the frame on
// the canvas, a frame to hold the loop at (so that a frame's pixels can be
// read at a known number), the rate and the restart; it is told how long
// each frame step took (Module.vornTimes, web/vorn2112-page.js).
#include <emscripten.h>

#include <cmath>

#include "app/scene.h"
#include "app/vorn2112.h"
#include "platform/pace.h"
#include "platform/system.h"

namespace {

constexpr int32_t mostStepsPerRefresh = 4;  // a display at 15 Hz still gets 60 frames a second

int32_t holdAt = -1;     // steps do nothing once this frame is shown; -1: never
int32_t rate = 0;        // frames a second, as VORN2112_FPS; 0: a step whenever the browser is free
bool timingSet = false;  // the loop's timing and the pace follow `rate`
bool runEnded = false;   // the loop is gone until vornRestart
Pace pace;               // the schedule of frames on the browser's clock

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

// The browser's clock (performance.now), in ns.
int64_t browserNow() { return std::llround(emscripten_get_now() * 1e6); }

// The browser's loop timing can only be changed once the loop exists. The
// schedule starts half a frame before this refresh, so that on a display at
// the pace's own rate each refresh falls mid-way between two due times.
void applyTiming() {
  if (rate == 0)
    emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
  else
    emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
  PACEStart(&pace, rate, browserNow() - PACEFrameTime(rate) / 2);
  timingSet = true;
}

// The number of the frame on the canvas; -1 before the first.
int32_t shownFrame() { return demo.frame - 1; }

bool held() { return holdAt >= 0 && shownFrame() == holdAt; }

// The steps due at this refresh. Holding keeps the browser's loop and the
// schedule running with steps that do nothing, so that neither needs
// setting again when the hold is let go.
void step() {
  if (!timingSet) applyTiming();
  for (int32_t due = PACETake(&pace, browserNow(), mostStepsPerRefresh); due > 0 && !held();
       --due) {
    double start = emscripten_get_now();
    bool running = VORN2112Frame();
    noteStep(emscripten_get_now() - start);
    if (!running) {
      endRun();
      return;
    }
  }
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

// The rate of frames from the next refresh on, 0 .. 1000 (as VORN2112_FPS);
// 0: a step as soon as the browser is free again, not at refreshes. Another
// value changes nothing.
EMSCRIPTEN_KEEPALIVE void vornRate(int32_t framesPerSecond) {
  if (framesPerSecond < 0 || framesPerSecond > paceMaxRate) return;
  rate = framesPerSecond;
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
  rate = VORN2112FrameRate();
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
