#include "instruments.h"
#include "noise_source.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Half the Amiga's PAL colour clock: a period of P plays this many samples a second divided by P.
constexpr double kPaulaClock = 3546894.6;

// Scales to the 8-bit range with a little headroom. The first two bytes are zero: a sample that
// plays once is written with a one-word loop at its start, which Amiga players go on repeating
// after the sample ends, so that word must be silence or it buzzes under the music.
std::vector<int8_t> ToBytes(const std::vector<double>& wave, double peak = 118.0) {
    double loudest = 0.0;
    for (double v : wave) loudest = std::max(loudest, std::fabs(v));
    const double gain = loudest > 0 ? peak / loudest : 0.0;
    std::vector<int8_t> out(wave.size());
    for (size_t i = 0; i < wave.size(); ++i)
        out[i] = static_cast<int8_t>(std::clamp(std::round(wave[i] * gain), -128.0, 127.0));
    if (out.size() % 2 != 0) out.push_back(0);
    for (size_t i = 0; i < 2 && i < out.size(); ++i) out[i] = 0;
    return out;
}

// A tone of `cycle` samples a period: harmonic h at amplitude(h, position) where position runs
// from 0 to 1 over the sample's first `frozenAt` samples and then stays at 1, so that every cycle
// from there on is the same and a loop over them is seamless.
std::vector<double> Harmonics(int cycle, int length, int frozenAt, int count,
                              const std::function<double(int, double)>& amplitude) {
    std::vector<double> wave(length, 0.0);
    for (int i = 0; i < length; ++i) {
        const double position = std::min(1.0, static_cast<double>(i) / frozenAt);
        const double phase = 2.0 * kPi * (i % cycle) / cycle;
        double value = 0.0;
        for (int h = 1; h <= count; ++h) value += amplitude(h, position) * std::sin(h * phase);
        wave[i] = value;
    }
    return wave;
}

}  // namespace

double NoteRate(int note) { return kPaulaClock / NotePeriod(note); }

ModuleSample MakeBass() {
    constexpr int kCycle = 64;
    constexpr int kAttack = kCycle * 40;
    std::vector<double> wave =
        Harmonics(kCycle, kAttack + kCycle, kAttack, 14, [](int h, double position) {
            // Saw-like at the pluck, then the upper harmonics die away to a round tone.
            const double bright = 1.0 / h;
            const double warm = std::exp(-0.55 * (h - 1)) / h;
            const double blend = std::exp(-6.0 * position);
            const double level = 0.72 + 0.28 * blend;
            return level * (warm + (bright - warm) * blend);
        });
    // Start from silence within a few samples so the attack does not tick.
    for (int i = 0; i < 8; ++i) wave[i] *= i / 8.0;
    ModuleSample sample{"bass", ToBytes(wave), 56, kAttack, kCycle};
    return sample;
}

ModuleSample MakePulseLead() {
    constexpr int kCycle = 32;
    constexpr int kAttack = kCycle * 4;
    constexpr int kLoopCycles = 48;
    std::vector<double> wave(kAttack + kCycle * kLoopCycles, 0.0);
    for (size_t i = 0; i < wave.size(); ++i) {
        const int cycleIndex = static_cast<int>(i) / kCycle;
        // Pulse width sways once around the loop; band-limited to the 15 harmonics a 32-sample
        // cycle can hold.
        const double sway = std::sin(2.0 * kPi * (cycleIndex - kAttack / kCycle) / kLoopCycles);
        const double duty = 0.36 + 0.1 * sway;
        const double phase = 2.0 * kPi * (i % kCycle) / kCycle;
        double value = 0.0;
        for (int h = 1; h <= 15; ++h) {
            const double softened = 1.0 / (1.0 + 0.02 * h * h);
            value += softened * std::sin(kPi * h * duty) / h * std::cos(h * (phase - kPi * duty));
        }
        wave[i] = value;
    }
    for (int i = 0; i < 8; ++i) wave[i] *= i / 8.0;
    // The mean of a pulse is not zero: take it out so the loop carries no offset.
    double mean = 0.0;
    for (size_t i = kAttack; i < wave.size(); ++i) mean += wave[i];
    mean /= static_cast<double>(wave.size() - kAttack);
    for (double& v : wave) v -= mean;
    return {"pulse lead", ToBytes(wave), 44, kAttack, kCycle * kLoopCycles};
}

ModuleSample MakeSoftLead() {
    constexpr int kCycle = 32;
    constexpr int kAttack = kCycle * 24;
    std::vector<double> wave =
        Harmonics(kCycle, kAttack + kCycle, kAttack, 6, [](int h, double position) {
            static const double kTone[] = {0, 1.0, 0.28, 0.12, 0.05, 0.03, 0.015};
            // A breathy touch of upper harmonics at the start of each note.
            const double breath = h >= 3 ? 0.12 * std::exp(-8.0 * position) : 0.0;
            return kTone[h] + breath;
        });
    for (int i = 0; i < 24; ++i) wave[i] *= i / 24.0;
    return {"soft lead", ToBytes(wave), 48, kAttack, kCycle};
}

ModuleSample MakePad() {
    constexpr int kLoop = 8192;  // 128 cycles of 64 samples
    constexpr int kFadeIn = 2048;
    std::vector<double> wave(kFadeIn + kLoop, 0.0);
    // 127, 128 and 129 cycles over the loop: three saws a few cents apart that beat slowly and
    // still repeat exactly after kLoop samples.
    const int cycles[] = {127, 128, 129};
    for (int i = 0; i < kFadeIn + kLoop; ++i) {
        const int k = (i - kFadeIn + kLoop) % kLoop;
        double value = 0.0;
        for (int c : cycles)
            for (int h = 1; h <= 10; ++h)
                value += std::pow(0.62, h - 1) / h * std::sin(2.0 * kPi * c * h * k / kLoop);
        const double fade = i < kFadeIn ? 0.5 - 0.5 * std::cos(kPi * i / kFadeIn) : 1.0;
        wave[i] = value * fade;
    }
    return {"pad", ToBytes(wave), 40, kFadeIn, kLoop};
}

ModuleSample MakePluck() {
    constexpr int kCycle = 64;
    constexpr int kLength = kCycle * 96;
    std::vector<double> wave(kLength, 0.0);
    for (int i = 0; i < kLength; ++i) {
        const double t = static_cast<double>(i) / kLength;
        const double phase = 2.0 * kPi * (i % kCycle) / kCycle;
        double value = 0.0;
        for (int h = 1; h <= 16; ++h)
            value += std::exp(-(2.5 + 0.9 * h * h) * t) / h * std::sin(h * phase);
        // The tail falls to exactly zero by the end.
        wave[i] = value * (1.0 - t) * (1.0 - t);
    }
    for (int i = 0; i < 4; ++i) wave[i] *= i / 4.0;
    return {"pluck", ToBytes(wave), 40, 0, 0};
}

ModuleSample MakeKick() {
    const double rate = NoteRate(kKickNote);
    const int length = static_cast<int>(rate * 0.34) & ~1;
    std::vector<double> wave(length, 0.0);
    double phase = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = i / rate;
        const double hz = 45.0 + 125.0 * std::exp(-t / 0.03);
        phase += hz / rate;
        const double body = std::sin(2.0 * kPi * phase) * std::exp(-t / 0.12);
        const double tail = 1.0 - static_cast<double>(i) / length;
        wave[i] = body * tail;
    }
    return {"kick", ToBytes(wave, 124.0), 64, 0, 0};
}

ModuleSample MakeSnare() {
    const double rate = NoteRate(kSnareNote);
    const int length = static_cast<int>(rate * 0.24) & ~1;
    std::vector<double> wave(length, 0.0);
    NoiseSource noise{0x5AE4Eu};
    double low = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = i / rate;
        low += 0.55 * (noise.Next() - low);  // a soft low-pass: rattle without hiss
        const double rattle = low * std::exp(-t / 0.07);
        const double shell = 0.7 * std::sin(2.0 * kPi * 185.0 * t) * std::exp(-t / 0.035);
        const double tail = 1.0 - static_cast<double>(i) / length;
        wave[i] = (rattle + shell) * tail * std::min(1.0, i / 6.0);
    }
    return {"snare", ToBytes(wave), 52, 0, 0};
}

namespace {

ModuleSample Cymbal(const char* name, int note, double seconds, double decay, uint32_t seed,
                    uint8_t volume) {
    const double rate = NoteRate(note);
    const int length = static_cast<int>(rate * seconds) & ~1;
    std::vector<double> wave(length, 0.0);
    NoiseSource noise{seed};
    double low = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = i / rate;
        const double white = noise.Next();
        low += 0.35 * (white - low);
        const double bright = white - low;  // high-pass: the metal, not the hiss
        const double tail = 1.0 - static_cast<double>(i) / length;
        wave[i] = bright * std::exp(-t / decay) * tail * std::min(1.0, i / 4.0);
    }
    return {name, ToBytes(wave), volume, 0, 0};
}

}  // namespace

ModuleSample MakeHat() { return Cymbal("hihat", kHatNote, 0.07, 0.022, 0x4A7u, 34); }
ModuleSample MakeCrash() { return Cymbal("crash", kCrashNote, 1.3, 0.38, 0xC4A54u, 36); }
