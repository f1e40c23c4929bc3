// The program's one random-number generator: a 32-bit linear congruential state.
#pragma once

#include <cstdint>

extern uint32_t RandomState;

void SeedRandom(uint32_t seed);
// The next draw, 0..32767.
int32_t NextRandom();
