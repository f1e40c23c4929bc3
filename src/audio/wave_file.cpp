#include "audio/wave_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "archive/data_files.h"

namespace {

constexpr uint32_t MinFormatBytes = 14;

uint32_t Read32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

bool IdIs(const uint8_t* at, const char* id) { return std::memcmp(at, id, 4) == 0; }

}  // namespace

int ParseWave(const uint8_t* image, size_t imageSize, WaveInfo* info) {
    *info = WaveInfo{0, nullptr, nullptr, 0};
    if (image == nullptr || imageSize < 12) return 0;
    if (!IdIs(image, "RIFF") || !IdIs(image + 8, "WAVE")) return 0;

    // 64-bit positions: a chunk length near 4 GB must not wrap round.
    const uint64_t riffEnd = 8 + static_cast<uint64_t>(Read32(image + 4));
    uint64_t position = 12;
    while (position < riffEnd && position + 8 <= imageSize) {
        const uint8_t* header = image + position;
        const uint64_t length = Read32(header + 4);
        const uint64_t body = position + 8;
        const uint64_t present = imageSize - body;

        if (IdIs(header, "fmt ")) {
            if (info->format == nullptr) {
                if (length < MinFormatBytes) return 0;
                if (present < MinFormatBytes) return 0;  // cut off inside the format
                info->format = reinterpret_cast<const WAVEFORMATEX*>(image + body);
                info->formatSize = static_cast<uint32_t>(std::min(length, present));
                if (info->data && info->dataSize) return 1;
            }
        } else if (IdIs(header, "data")) {
            if (info->data == nullptr || info->dataSize == 0) {
                // A data chunk longer than the file is heard as far as the file goes.
                info->data = image + body;
                info->dataSize = static_cast<uint32_t>(std::min(length, present));
                if (info->format && info->dataSize) return 1;
            }
        }
        // A chunk that claims more bytes than remain is the last one.
        if (length > present) break;
        position = body + length + (length & 1);
    }
    return 0;
}

uint8_t* ReadWaveFile(const char* name, WaveInfo* info) {
    *info = WaveInfo{0, nullptr, nullptr, 0};
    uint8_t* image = ReadDataFile(name);
    if (image == nullptr) return nullptr;
    const uint32_t size = EntrySize;
    if (ParseWave(image, size, info)) return image;
    // Nobody else holds the image of a file that is no use.
    std::free(image);
    *info = WaveInfo{0, nullptr, nullptr, 0};
    return nullptr;
}
