#include "noise.h"

#include <cmath>
#include <utility>

uint64_t Rng::Next() {
    // SplitMix64: tiny, fast and well mixed.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::Uniform() { return static_cast<float>(Next() >> 40) / static_cast<float>(1 << 24); }

Noise::Noise(uint64_t seed) {
    Rng rng(seed);
    for (int i = 0; i < 256; ++i) perm_[i] = static_cast<uint8_t>(i);
    for (int i = 255; i > 0; --i) std::swap(perm_[i], perm_[rng.Below(i + 1)]);
    for (int i = 0; i < 256; ++i) {
        perm_[256 + i] = perm_[i];
        const float angle = rng.Uniform() * 6.2831853f;
        gradX_[i] = std::cos(angle);
        gradY_[i] = std::sin(angle);
    }
}

float Noise::Get(float x, float y) const {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx) & 255;
    const int iy = static_cast<int>(fy) & 255;
    const float dx = x - fx;
    const float dy = y - fy;
    auto corner = [&](int cx, int cy) {
        const int h = perm_[perm_[ix + cx] + iy + cy];
        return gradX_[h] * (dx - static_cast<float>(cx)) +
               gradY_[h] * (dy - static_cast<float>(cy));
    };
    const float u = dx * dx * dx * (dx * (dx * 6 - 15) + 10);
    const float v = dy * dy * dy * (dy * (dy * 6 - 15) + 10);
    const float a = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * u;
    const float b = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * u;
    return (a + (b - a) * v) * 1.414f;
}

float Noise::Fbm(float x, float y, int octaves, float gain) const {
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += Get(x, y) * amplitude;
        total += amplitude;
        amplitude *= gain;
        // A slight rotation between octaves hides the lattice.
        const float nx = x * 1.6f - y * 1.2f + 17.3f;
        const float ny = x * 1.2f + y * 1.6f + 5.1f;
        x = nx;
        y = ny;
    }
    return sum / total;
}

float Noise::Ridged(float x, float y, int octaves) const {
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        const float n = 1.0f - std::fabs(Get(x, y));
        sum += n * n * amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        const float nx = x * 1.6f - y * 1.2f + 3.7f;
        const float ny = x * 1.2f + y * 1.6f + 9.4f;
        x = nx;
        y = ny;
    }
    return sum / total;
}
