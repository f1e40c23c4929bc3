// RIFF/WAVE files: finding the format and the samples inside a WAV file image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/dsound.h"

// Where the parts of a WAV file lie in its image. The pointers point into the caller's image and
// live as long as it does.
struct WaveInfo {
    uint32_t dataSize;           // bytes of sample data, never more than the image holds
    const WAVEFORMATEX* format;  // the body of the "fmt " chunk
    const uint8_t* data;         // the first byte of the "data" chunk's body
    uint32_t formatSize;         // bytes of the "fmt " body inside the image (14 or more)
};

// 1 when both a "fmt " chunk of at least 14 bytes and a non-empty "data" chunk were found in the
// imageSize bytes at image, 0 otherwise; a failure leaves info as far as it got. The walk never
// reads past the image, whatever the RIFF size and the chunk lengths claim.
int ParseWave(const uint8_t* image, size_t imageSize, WaveInfo* info);

// The whole data file, parsed: its image (from std::malloc; the caller frees it) or null when it
// is missing (after ReadDataFile's error box) or is no usable WAV file.
uint8_t* ReadWaveFile(const char* name, WaveInfo* info);
