#include "display/random.h"

uint32_t RandomState = 1;

void SeedRandom(uint32_t seed) { RandomState = seed; }

int32_t NextRandom() {
    RandomState = RandomState * 1103515245u + 12345u;
    return static_cast<int32_t>((RandomState >> 16) & 0x7FFF);
}
