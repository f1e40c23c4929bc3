// Writing RIFF/WAVE files: 16-bit signed PCM, one channel for the sound effects, two for the
// rendered music.
#pragma once

#include <cstdint>
#include <vector>

// The whole file image: "RIFF" header, a 16-byte "fmt " chunk and the "data" chunk. Samples of
// several channels are interleaved, one frame after the other.
std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, uint32_t sampleRate,
                                uint16_t channels = 1);
