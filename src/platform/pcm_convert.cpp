#include "platform/pcm_convert.h"

#include "platform/audio_mixer.h"

namespace {

int16_t SampleAt(const PcmFormat& format, const uint8_t* bytes, size_t frame, int channel) {
    const int c = format.channels == 2 ? channel : 0;
    if (format.bitsPerSample == 8) {
        const uint8_t value = bytes[frame * static_cast<size_t>(format.channels) + c];
        return static_cast<int16_t>((value - 128) * 256);
    }
    const uint8_t* at = bytes + (frame * static_cast<size_t>(format.channels) + c) * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

}  // namespace

size_t MixFramesFor(size_t sourceFrames, uint32_t rate) {
    if (rate == 0) return 0;
    const uint64_t mix = static_cast<uint64_t>(sourceFrames) * AudioMixer::SampleRate;
    return static_cast<size_t>((mix + rate - 1) / rate);
}

size_t MixFrameAt(size_t sourceFrame, uint32_t rate) {
    if (rate == 0) return 0;
    return static_cast<size_t>(static_cast<uint64_t>(sourceFrame) * AudioMixer::SampleRate /
                               rate);
}

std::vector<int16_t> ConvertToMix(const PcmFormat& format, const uint8_t* bytes, size_t count) {
    const size_t frameBytes =
        static_cast<size_t>(format.channels) * static_cast<size_t>(format.bitsPerSample / 8);
    if (frameBytes == 0 || format.rate == 0) return {};
    const size_t sourceFrames = count / frameBytes;
    const size_t mixFrames = MixFramesFor(sourceFrames, format.rate);
    std::vector<int16_t> out(mixFrames * AudioMixer::Channels);
    constexpr uint64_t MixRate = AudioMixer::SampleRate;

    for (size_t i = 0; i < mixFrames; ++i) {
        // Where mix frame i lies in the source, as a whole frame and a fraction of MixRate.
        const uint64_t at = static_cast<uint64_t>(i) * format.rate;
        const size_t frame = static_cast<size_t>(at / MixRate);
        const int64_t fraction = static_cast<int64_t>(at % MixRate);
        const size_t next = frame + 1 < sourceFrames ? frame + 1 : frame;
        for (int channel = 0; channel < AudioMixer::Channels; ++channel) {
            const int64_t a = SampleAt(format, bytes, frame, channel);
            const int64_t b = SampleAt(format, bytes, next, channel);
            out[i * 2 + static_cast<size_t>(channel)] =
                static_cast<int16_t>(a + (b - a) * fraction / static_cast<int64_t>(MixRate));
        }
    }
    return out;
}
