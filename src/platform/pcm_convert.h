// Converting PCM sound (8-bit unsigned or 16-bit signed little-endian, mono or stereo, any rate)
// to the mix format: 16-bit stereo at 44100 Hz. Done once, when a buffer is filled, so that the
// mix itself only adds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PcmFormat {
    int channels;       // 1 or 2
    int bitsPerSample;  // 8 or 16
    uint32_t rate;      // frames per second
};

// How many mix frames the given number of source frames become (rounded up).
size_t MixFramesFor(size_t sourceFrames, uint32_t rate);
// The mix frame at which a source frame is heard.
size_t MixFrameAt(size_t sourceFrame, uint32_t rate);
// Converts whole frames of bytes (a trailing partial frame is ignored): sample for sample at the
// mix rate, otherwise through a windowed-sinc filter that keeps the sound below both Nyquist
// frequencies. The result has exactly MixFramesFor(frames) frames.
std::vector<int16_t> ConvertToMix(const PcmFormat& format, const uint8_t* bytes, size_t count);
