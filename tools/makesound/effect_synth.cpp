#include "effect_synth.h"
#include "noise_source.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Band-limits the step of a square or saw wave at a phase wrap; t is the phase, dt its increment
// per sample. Without it the high effects alias audibly at 22 kHz.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Envelope(const Voice& voice, double t) {
    if (t < voice.attack) return 0.5 - 0.5 * std::cos(kPi * t / voice.attack);
    t -= voice.attack;
    if (t < voice.hold) {
        const double fade = voice.hold > 0 ? 1.0 - t / voice.hold : 0.0;
        return 1.0 + voice.punch * fade;
    }
    t -= voice.hold;
    if (t < voice.release) {
        const double left = 1.0 - t / voice.release;
        return left * left;
    }
    return 0.0;
}

double OnePoleCoefficient(double cutoffHz) {
    const double limited = std::min(cutoffHz, kEffectRate * 0.45);
    return 1.0 - std::exp(-2.0 * kPi * limited / kEffectRate);
}

}  // namespace

std::vector<double> RenderVoice(const Voice& voice, uint32_t seed) {
    const double length = voice.attack + voice.hold + voice.release;
    const size_t count = static_cast<size_t>(length * kEffectRate);
    std::vector<double> out(count, 0.0);
    NoiseSource noise{seed ? seed : 1u};
    double phase = 0.0;
    double held = noise.Next();
    int noiseSlot = 0;
    double low1 = 0.0, low2 = 0.0, high = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kEffectRate;
        const double progress = t / length;

        double hz = voice.startHz;
        if (voice.glideSeconds > 0) {
            const double g = std::min(t / voice.glideSeconds, 1.0);
            hz = voice.startHz * std::pow(voice.endHz / voice.startHz, g);
        }
        // The last step reached sets the ratio and, when articulated, the dip and swell after it.
        double ratio = 1.0;
        double articulation = 1.0;
        for (const PitchStep& step : voice.steps) {
            if (t < step.at) break;
            ratio = step.ratio;
            const double since = (t - step.at) / 0.014;
            articulation = voice.articulate && since < 1.0
                               ? 0.3 + 0.7 * (0.5 - 0.5 * std::cos(kPi * since))
                               : 1.0;
        }
        hz *= ratio;
        if (voice.vibratoDepth > 0)
            hz *= 1.0 + voice.vibratoDepth * std::sin(2.0 * kPi * voice.vibratoHz * t);

        const double dt = std::min(hz / kEffectRate, 0.5);
        double value = 0.0;
        switch (voice.wave) {
        case Wave::Square: {
            const double duty = voice.duty + (voice.dutyEnd - voice.duty) * progress;
            value = phase < duty ? 1.0 : -1.0;
            value += PolyBlep(phase, dt);
            double falling = phase - duty;
            if (falling < 0) falling += 1.0;
            value -= PolyBlep(falling, dt);
            break;
        }
        case Wave::Saw: value = 2.0 * phase - 1.0 - PolyBlep(phase, dt); break;
        case Wave::Triangle: value = 1.0 - 4.0 * std::fabs(phase - 0.5); break;
        case Wave::Sine: value = std::sin(2.0 * kPi * phase); break;
        case Wave::Noise: {
            // A new random level sixteen times a period: the pitch colours the noise.
            const int slot = static_cast<int>(phase * 16.0);
            if (slot != noiseSlot) {
                noiseSlot = slot;
                held = noise.Next();
            }
            value = held;
            break;
        }
        }
        phase += hz / kEffectRate;
        if (voice.wave == Wave::Noise && phase >= 1.0) noiseSlot = -1;
        phase -= std::floor(phase);

        if (voice.lowpassStartHz > 0) {
            const double end = voice.lowpassEndHz > 0 ? voice.lowpassEndHz : voice.lowpassStartHz;
            const double cutoff =
                voice.lowpassStartHz * std::pow(end / voice.lowpassStartHz, progress);
            const double a = OnePoleCoefficient(cutoff);
            low1 += a * (value - low1);
            low2 += a * (low1 - low2);
            value = low2;
        }
        if (voice.highpassHz > 0) {
            high += OnePoleCoefficient(voice.highpassHz) * (value - high);
            value -= high;
        }

        double level = voice.level * Envelope(voice, t) * articulation;
        if (voice.tremoloDepth > 0)
            level *=
                1.0 - voice.tremoloDepth * (0.5 + 0.5 * std::sin(2.0 * kPi * voice.tremoloHz * t));
        out[i] = value * level;
    }
    return out;
}

std::vector<int16_t> RenderEffect(const EffectRecipe& recipe) {
    std::vector<double> mix;
    uint32_t seed = recipe.seed;
    for (const Voice& voice : recipe.voices) {
        const std::vector<double> part = RenderVoice(voice, seed);
        seed = seed * 1103515245u + 12345u;
        const size_t offset = static_cast<size_t>(voice.delay * kEffectRate);
        if (mix.size() < offset + part.size()) mix.resize(offset + part.size(), 0.0);
        for (size_t i = 0; i < part.size(); ++i) mix[offset + i] += part[i];
    }
    // A little silence after the tail, so that nothing is cut by the end of the buffer.
    mix.resize(mix.size() + kEffectRate / 100, 0.0);

    // DC blocker: a noisy or asymmetric wave must not leave the speaker cone displaced.
    double previousIn = 0.0, previousOut = 0.0;
    for (double& sample : mix) {
        const double out = sample - previousIn + 0.995 * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = out;
    }

    // Loudness: the loudest 100 ms window (about what the ear integrates), measured as RMS; a
    // shorter effect is measured over its whole length.
    const size_t window = std::min<size_t>(kEffectRate / 10, mix.size());
    double sum = 0.0, loudest = 0.0, peak = 0.0;
    for (size_t i = 0; i < mix.size(); ++i) {
        sum += mix[i] * mix[i];
        if (i >= window) sum -= mix[i - window] * mix[i - window];
        loudest = std::max(loudest, std::sqrt(std::max(sum, 0.0) / window));
        peak = std::max(peak, std::fabs(mix[i]));
    }
    double gain = loudest > 0 ? kEffectTargetRms / loudest : 1.0;
    if (peak * gain > kEffectPeakLimit) gain = kEffectPeakLimit / peak;

    // Fades of 2 ms in and 5 ms out: the first and last samples are exactly zero.
    const size_t fadeIn = kEffectRate * 2 / 1000;
    const size_t fadeOut = kEffectRate * 5 / 1000;
    std::vector<int16_t> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        double fade = 1.0;
        if (i < fadeIn) fade = static_cast<double>(i) / fadeIn;
        const size_t fromEnd = mix.size() - 1 - i;
        if (fromEnd < fadeOut) fade = std::min(fade, static_cast<double>(fromEnd) / fadeOut);
        const double scaled = std::round(mix[i] * gain * fade * 32767.0);
        out[i] = static_cast<int16_t>(std::clamp(scaled, -32768.0, 32767.0));
    }
    return out;
}
