#include "platform/pcm_convert.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "platform/audio_mixer.h"

namespace {

constexpr uint64_t MixRate = AudioMixer::SampleRate;

// The filter: a sinc cut off at 90 % of the lower of the two Nyquist frequencies, under a Kaiser
// window (beta 9, about 90 dB down in the stop band). 32 taps each side of the output's position
// in source frames when raising the rate; more in proportion when lowering it, so that the
// transition band keeps its width in the mix.
constexpr double Rolloff = 0.90;
constexpr double KaiserBeta = 9.0;
constexpr int BaseHalfTaps = 32;
// The kernel is tabulated at this many positions per source frame (or at every position the
// ratio of the rates can give, if fewer); in between, neighbouring rows are interpolated.
constexpr uint64_t MaxPhases = 512;
constexpr double MaxSpread = 8.0;

double SampleAt(const PcmFormat& format, const uint8_t* bytes, size_t frame, int channel) {
    const size_t index =
        frame * static_cast<size_t>(format.channels) + static_cast<size_t>(channel);
    if (format.bitsPerSample == 8) return (bytes[index] - 128) * 256.0;
    const uint8_t* at = bytes + index * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

// The modified Bessel function of the first kind, order 0, by its power series.
double BesselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    const double quarter = x * x / 4.0;
    for (int k = 1; k < 64 && term > sum * 1e-17; ++k) {
        term *= quarter / (static_cast<double>(k) * k);
        sum += term;
    }
    return sum;
}

class Kernel {
public:
    explicit Kernel(uint32_t rate) {
        const double down = rate > MixRate ? static_cast<double>(rate) / MixRate : 1.0;
        // Beyond eight times the mix rate the kernel stops growing (its transition band widens
        // instead), so that no rate can ask for a table of gigabytes.
        halfTaps_ = static_cast<int>(std::ceil(BaseHalfTaps * std::min(down, MaxSpread)));
        cutoff_ = 0.5 * Rolloff / down;  // in cycles per source frame
        // Every position i * rate / MixRate falls on one of MixRate / gcd positions per frame.
        const uint64_t positions = MixRate / std::gcd(MixRate, static_cast<uint64_t>(rate));
        phases_ = std::min(positions, MaxPhases);
        const size_t taps = static_cast<size_t>(2 * halfTaps_);
        rows_.resize((phases_ + 1) * taps);
        const double windowNorm = BesselI0(KaiserBeta);
        for (uint64_t row = 0; row <= phases_; ++row) {
            // Row j weighs source frame (whole + m) for an output at whole + j / phases.
            const double fraction = static_cast<double>(row) / static_cast<double>(phases_);
            double sum = 0.0;
            for (size_t t = 0; t < taps; ++t) {
                const double x = fraction - (static_cast<double>(t) - halfTaps_ + 1);
                const double r = x / halfTaps_;
                double w = 0.0;
                if (std::abs(r) < 1.0)
                    w = BesselI0(KaiserBeta * std::sqrt(1.0 - r * r)) / windowNorm * Sinc(x);
                rows_[row * taps + t] = w;
                sum += w;
            }
            // A constant level stays exactly that level, whatever the phase.
            for (size_t t = 0; t < taps; ++t) rows_[row * taps + t] /= sum;
        }
    }

    // Output at source position whole + offset / MixRate.
    double At(const double* source, size_t frames, size_t whole, uint64_t offset) const {
        const uint64_t scaled = offset * phases_;
        const uint64_t row = scaled / MixRate;
        const double blend = static_cast<double>(scaled % MixRate) / MixRate;
        const size_t taps = static_cast<size_t>(2 * halfTaps_);
        const double* a = &rows_[row * taps];
        const double* b = a + taps;
        // Source frames outside the sound are silence.
        const int64_t first = static_cast<int64_t>(whole) - halfTaps_ + 1;
        const int64_t from = std::max<int64_t>(0, -first);
        const int64_t to =
            std::min(static_cast<int64_t>(taps), static_cast<int64_t>(frames) - first);
        double sumA = 0.0;
        for (int64_t t = from; t < to; ++t) sumA += a[t] * source[first + t];
        // When the rates' ratio has few enough positions, each falls on a row of its own.
        if (blend == 0.0) return sumA;
        double sumB = 0.0;
        for (int64_t t = from; t < to; ++t) sumB += b[t] * source[first + t];
        return sumA + (sumB - sumA) * blend;
    }

private:
    double Sinc(double x) const {
        const double u = 2.0 * cutoff_ * x;
        if (u == 0.0) return 2.0 * cutoff_;
        return std::sin(std::numbers::pi * u) / (std::numbers::pi * u) * 2.0 * cutoff_;
    }

    int halfTaps_ = 0;
    double cutoff_ = 0.5;
    uint64_t phases_ = 1;
    std::vector<double> rows_;
};

int16_t ToSample(double value) {
    return static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

}  // namespace

size_t MixFramesFor(size_t sourceFrames, uint32_t rate) {
    if (rate == 0) return 0;
    const uint64_t mix = static_cast<uint64_t>(sourceFrames) * MixRate;
    return static_cast<size_t>((mix + rate - 1) / rate);
}

size_t MixFrameAt(size_t sourceFrame, uint32_t rate) {
    if (rate == 0) return 0;
    return static_cast<size_t>(static_cast<uint64_t>(sourceFrame) * MixRate / rate);
}

std::vector<int16_t> ConvertToMix(const PcmFormat& format, const uint8_t* bytes, size_t count) {
    const size_t frameBytes =
        static_cast<size_t>(format.channels) * static_cast<size_t>(format.bitsPerSample / 8);
    if (frameBytes == 0 || format.rate == 0) return {};
    const size_t sourceFrames = count / frameBytes;
    const size_t mixFrames = MixFramesFor(sourceFrames, format.rate);
    std::vector<int16_t> out(mixFrames * AudioMixer::Channels);

    if (format.rate == MixRate) {
        // The mix's own rate: sample for sample.
        for (size_t i = 0; i < mixFrames; ++i)
            for (int channel = 0; channel < AudioMixer::Channels; ++channel)
                out[i * 2 + static_cast<size_t>(channel)] = static_cast<int16_t>(
                    SampleAt(format, bytes, i, format.channels == 2 ? channel : 0));
        return out;
    }

    // Another rate: band-limited resampling, so that no mirror image of the sound appears above
    // the source's Nyquist frequency and nothing above the mix's folds back into it.
    const Kernel kernel(format.rate);
    std::vector<double> source(sourceFrames);
    for (int channel = 0; channel < format.channels; ++channel) {
        for (size_t frame = 0; frame < sourceFrames; ++frame)
            source[frame] = SampleAt(format, bytes, frame, channel);
        for (size_t i = 0; i < mixFrames; ++i) {
            // Where mix frame i lies in the source: a whole frame and a fraction of MixRate.
            const uint64_t at = static_cast<uint64_t>(i) * format.rate;
            const int16_t value =
                ToSample(kernel.At(source.data(), sourceFrames, at / MixRate, at % MixRate));
            out[i * 2 + static_cast<size_t>(channel)] = value;
            if (format.channels == 1) out[i * 2 + 1] = value;
        }
    }
    return out;
}
