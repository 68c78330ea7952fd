// The demo's random generator and its one state.
#include "app/random.h"

static uint32_t randomState = 1;

int32_t VORN2112Random() {
  randomState = randomJumpOf(1)(randomState);
  return static_cast<int32_t>(randomDrawOf(randomState));
}

void VORN2112RandomRestart() { randomState = 1; }

uint32_t VORN2112RandomState() { return randomState; }

void VORN2112RandomSetState(uint32_t state) { randomState = state; }
