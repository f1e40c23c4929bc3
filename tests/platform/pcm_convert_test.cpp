// Sound converted to the mix format: its exact length at every rate, tones that come through as
// the same tones at 44100 Hz, no mirror images above the source's Nyquist frequency and no tone
// above the mix's folded back into it.
#include "platform/pcm_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

// Sine frames as the format stores them; the right channel, if any, is the left one negated.
std::vector<uint8_t> Tone(const PcmFormat& format, double hz, double amplitude, size_t frames) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2 * Pi * hz * i / format.rate + Pi / 2);
        for (int channel = 0; channel < format.channels; ++channel) {
            const long sample = std::lround(channel == 0 ? value : -value);
            if (format.bitsPerSample == 8) {
                bytes.push_back(static_cast<uint8_t>(128 + sample / 256));
            } else {
                bytes.push_back(static_cast<uint8_t>(sample & 0xFF));
                bytes.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
            }
        }
    }
    return bytes;
}

// The share of the energy of one channel's frames [from, from + count) that lies above hz, by a
// Hann-windowed discrete Fourier transform at the mix rate.
double ShareAbove(const std::vector<int16_t>& mix, int channel, size_t from, size_t count,
                  double hz) {
    std::vector<double> x(count);
    for (size_t i = 0; i < count; ++i)
        x[i] = mix[(from + i) * 2 + static_cast<size_t>(channel)] *
               (0.5 - 0.5 * std::cos(2 * Pi * static_cast<double>(i) / count));
    std::vector<double> cosine(count), sine(count);
    for (size_t i = 0; i < count; ++i) {
        cosine[i] = std::cos(2 * Pi * static_cast<double>(i) / count);
        sine[i] = std::sin(2 * Pi * static_cast<double>(i) / count);
    }
    double total = 0.0;
    double above = 0.0;
    for (size_t bin = 1; bin < count / 2; ++bin) {
        double re = 0.0;
        double im = 0.0;
        for (size_t i = 0; i < count; ++i) {
            re += x[i] * cosine[bin * i % count];
            im -= x[i] * sine[bin * i % count];
        }
        const double energy = re * re + im * im;
        total += energy;
        if (bin * 44100.0 / count > hz) above += energy;
    }
    return total > 0 ? above / total : 0.0;
}

TEST(PcmConvert, LengthIsExactAtEveryRate) {
    struct Case {
        uint32_t rate;
        size_t frames;
        size_t mixFrames;
    } cases[] = {
        {44100, 7, 7},      {22050, 3, 6},  {11025, 1103, 4412}, {8000, 7, 39},
        {48000, 1000, 919}, {100000, 1, 1}, {100, 1, 441},       {22051, 5, 10},
    };
    for (const Case& c : cases) {
        for (int bits : {8, 16}) {
            SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(bits) + " bits");
            const PcmFormat format{2, bits, c.rate};
            std::vector<uint8_t> bytes = Tone(format, 0, 8000, c.frames);
            bytes.push_back(0);  // a partial frame is not sound
            const std::vector<int16_t> mix = ConvertToMix(format, bytes.data(), bytes.size());
            ASSERT_EQ(mix.size(), c.mixFrames * 2);
            EXPECT_EQ(MixFramesFor(c.frames, c.rate), c.mixFrames);
            // Nothing is lost at the end: the last source frame is still heard.
            const size_t last = MixFrameAt(c.frames - 1, c.rate);
            EXPECT_GT(mix[last * 2], 8000 / 3);
            EXPECT_LT(mix[last * 2 + 1], -8000 / 3);
        }
    }
    // A rate far beyond any a sound file should have still asks for no more than a small filter.
    const PcmFormat fast{1, 16, 4000000000u};
    const std::vector<uint8_t> bytes = Tone(fast, 0, 8000, 100000);
    EXPECT_EQ(ConvertToMix(fast, bytes.data(), bytes.size()).size(), 2u * 2);
}

// Away from the sound's edges, each converted tone equals the same tone sampled at 44100 Hz;
// a tone above 22050 Hz is gone, not mirrored down into the mix.
TEST(PcmConvert, TonesComeThroughWithoutImages) {
    struct Case {
        PcmFormat format;
        double hz;
        double amplitude;
        double gain;       // 1: heard as it is; 0: removed
        double tolerance;  // of the error, relative to the amplitude
    } cases[] = {
        {{1, 16, 22050}, 0, 12000, 1, 1e-4},  // a constant level stays exactly that level
        {{1, 16, 22050}, 3000, 12000, 1, 1e-3},  {{2, 16, 22050}, 8000, 12000, 1, 2e-3},
        {{1, 8, 11025}, 2000, 30000, 1, 2e-2},   {{1, 16, 8000}, 3000, 12000, 1, 2e-3},
        {{1, 16, 48000}, 5000, 12000, 1, 1e-3},  {{1, 16, 96000}, 5000, 12000, 1, 1e-3},
        {{1, 16, 96000}, 30000, 12000, 0, 1e-3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.format.rate) + " Hz, tone " + std::to_string(c.hz));
        const size_t frames = c.format.rate / 4;
        const std::vector<uint8_t> bytes = Tone(c.format, c.hz, c.amplitude, frames);
        const std::vector<int16_t> mix = ConvertToMix(c.format, bytes.data(), bytes.size());
        ASSERT_EQ(mix.size(), MixFramesFor(frames, c.format.rate) * 2);
        // Mono is heard alike on both sides.
        const double right = c.format.channels == 2 ? -1.0 : 1.0;
        double worst = 0.0;
        for (size_t i = 2000; i + 2000 < mix.size() / 2; ++i) {
            const double ideal =
                c.gain * c.amplitude * std::sin(2 * Pi * c.hz * i / 44100 + Pi / 2);
            worst = std::max(worst, std::abs(mix[i * 2] - ideal));
            worst = std::max(worst, std::abs(mix[i * 2 + 1] - right * ideal));
        }
        EXPECT_LT(worst / c.amplitude, c.tolerance) << worst;
    }
}

// A 22050 Hz sound keeps its energy below 11025 Hz; interpolating straight between the samples
// would mirror a 9 kHz tone to 13 kHz at a tenth of its level.
TEST(PcmConvert, NothingAboveTheSourcesNyquistFrequency) {
    const PcmFormat format{1, 16, 22050};
    std::vector<uint8_t> bytes = Tone(format, 9000, 10000, 11025);
    const std::vector<uint8_t> low = Tone(format, 1500, 10000, 11025);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const int sum = static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8) +
                        static_cast<int16_t>(low[i] | low[i + 1] << 8);
        bytes[i] = static_cast<uint8_t>(sum & 0xFF);
        bytes[i + 1] = static_cast<uint8_t>((sum >> 8) & 0xFF);
    }
    const std::vector<int16_t> mix = ConvertToMix(format, bytes.data(), bytes.size());
    EXPECT_LT(ShareAbove(mix, 0, 8000, 4096, 11025 + 300), 1e-8);
    EXPECT_LT(ShareAbove(mix, 1, 8000, 4096, 11025 + 300), 1e-8);
}

}  // namespace
