// White noise for the synthesisers: xorshift32, small, fast and the same on every machine, so
// every build writes the same bytes.
#pragma once

#include <cstdint>

struct NoiseSource {
    uint32_t state;
    // The next sample, -1 to 1.
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};
