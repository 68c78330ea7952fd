// The demo's random generator: the state starts at 1 and is never seeded;
// each draw sets state = state * 214013 + 2531011 (mod 2^32) and yields
// (state >> 16) & 0x7FFF, so every run shows the same frames.
//
// The effects that draw many numbers at once (the dissolve, the stars) read
// the state, compute their draws straight from it with RandomJump, and store
// the state that follows their last draw.
#pragma once

#include <cstdint>

// The generator's step taken k times: state -> state * a + c (mod 2^32). Any
// draw ahead is then one multiply-add away from a known state.
struct RandomJump {
  uint32_t a, c;
  constexpr uint32_t operator()(uint32_t state) const { return state * a + c; }
  // This jump followed by next.
  constexpr RandomJump then(RandomJump next) const { return {a * next.a, c * next.a + next.c}; }
};
// By squaring, so that a jump over a whole frame's draws costs a few steps.
constexpr RandomJump randomJumpOf(uint64_t k) {
  RandomJump jump{1, 0}, power{214013u, 2531011u};
  for (; k > 0; k >>= 1, power = power.then(power))
    if (k & 1) jump = jump.then(power);
  return jump;
}
// The number a state yields, 0 .. 32767.
constexpr uint32_t randomDrawOf(uint32_t state) { return (state >> 16) & 0x7FFF; }

int32_t VORN2112Random();                     // the next draw
void VORN2112RandomRestart();                 // the next draw is the sequence's first again
uint32_t VORN2112RandomState();               // for effects that draw in bulk
void VORN2112RandomSetState(uint32_t state);  // the state after a bulk draw
