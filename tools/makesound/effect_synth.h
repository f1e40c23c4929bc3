// A small synthesiser for short sound effects in the manner of sfxr: each effect is a few voices,
// each an oscillator with a pitch glide, arpeggio steps, vibrato, tremolo, an attack-hold-release
// envelope and a swept low-pass filter, mixed and brought to a common loudness.
#pragma once

#include <cstdint>
#include <vector>

enum class Wave { Square, Saw, Triangle, Sine, Noise };

// From `at` seconds into the voice its pitch is multiplied by `ratio`; with `articulate` set
// the voice dips and swells again there, as a player re-tonguing a note.
struct PitchStep {
    double at;
    double ratio;
};

struct Voice {
    Wave wave = Wave::Square;
    double startHz = 440;
    double endHz = 440;       // reached exponentially after glideSeconds, then held
    double glideSeconds = 0;  // 0: no glide
    std::vector<PitchStep> steps;
    bool articulate = false;
    double duty = 0.5;      // square waves: share of the period spent high, at the start...
    double dutyEnd = 0.5;   // ...and at the end of the voice
    double delay = 0;       // seconds of silence before the voice starts
    double attack = 0.005;  // seconds, rising as a half cosine
    double hold = 0;        // seconds at full level
    double release = 0.1;   // seconds, falling as a square law to exactly zero
    double punch = 0;       // extra level at the start of the hold, fading over it
    double vibratoHz = 0;
    double vibratoDepth = 0;  // share of the frequency
    double tremoloHz = 0;
    double tremoloDepth = 0;    // 0 to 1
    double lowpassStartHz = 0;  // 0: no low-pass
    double lowpassEndHz = 0;
    double highpassHz = 0;  // 0: no high-pass
    double level = 1;
};

struct EffectRecipe {
    const char* fileName;
    std::vector<Voice> voices;
    uint32_t seed;  // for the noise voices: the same recipe always gives the same samples
};

// The output's own rate: the effects play without being resampled.
constexpr uint32_t kEffectRate = 44100;

// The loudness every effect is brought to: the highest RMS level over any 100 ms window.
constexpr double kEffectTargetRms = 0.16;
// No sample goes above this (about -1.5 dBFS).
constexpr double kEffectPeakLimit = 0.84;

// One voice alone, kEffectRate samples a second, unscaled, from its delay to its end.
std::vector<double> RenderVoice(const Voice& voice, uint32_t seed);

// The finished effect: voices mixed, DC removed, scaled to the common loudness under the peak
// limit, with a short fade at both ends so that it starts and stops without a click.
std::vector<int16_t> RenderEffect(const EffectRecipe& recipe);
