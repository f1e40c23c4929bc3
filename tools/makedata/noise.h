// Deterministic randomness for the pictures: a seeded generator and smooth gradient noise, so
// that every build draws exactly the same pictures.
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, 1).
    float Uniform();
    float Range(float low, float high) { return low + (high - low) * Uniform(); }
    int Below(int count) { return static_cast<int>(Next() % static_cast<uint64_t>(count)); }

private:
    uint64_t state_;
};

// Two-dimensional gradient noise in about [-1, 1], with fractal sums of several octaves.
class Noise {
public:
    explicit Noise(uint64_t seed);
    float Get(float x, float y) const;
    // Sum of octaves, each at twice the frequency and gain times the amplitude; about [-1, 1].
    float Fbm(float x, float y, int octaves, float gain = 0.5f) const;
    // Octaves of 1 - |noise|: sharp crests, for ridges and veins; about [0, 1].
    float Ridged(float x, float y, int octaves) const;

private:
    uint8_t perm_[512];
    float gradX_[256];
    float gradY_[256];
};
