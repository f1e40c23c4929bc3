// Writing sound effects as RIFF/WAVE files: 16-bit signed PCM, one channel.
#pragma once

#include <cstdint>
#include <vector>

// The whole file image: "RIFF" header, a 16-byte "fmt " chunk and the "data" chunk.
std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, uint32_t sampleRate);
