#include <vector>

#include "image/picture_bytes.h"
#include "image/picture_readers.h"

namespace {

constexpr size_t PcxHeaderSize = 128;
constexpr size_t PcxPaletteSize = 769;  // the marker 12 and 256 colours of 8 bits
constexpr uint8_t PcxPaletteMarker = 12;

int16_t Signed16(const uint8_t* data, size_t size, uint64_t position) {
    return static_cast<int16_t>(LittleField(data, size, position, 2));
}

}  // namespace

bool ReadPcx(const uint8_t* data, size_t size, DecodedPicture* picture) {
    const int64_t left = Signed16(data, size, 4), top = Signed16(data, size, 6);
    const int64_t right = Signed16(data, size, 8), bottom = Signed16(data, size, 10);
    const int64_t bytesPerLine = Signed16(data, size, 66);
    if (bytesPerLine <= 0) return false;
    if (!AllocatePicture(picture, right - left + 1, bottom - top + 1)) return false;
    const int64_t width = picture->width;
    std::vector<uint8_t> indices(picture->pixels.size(), 0);

    // One stream of height × bytes-per-line bytes; each line holds the width's pixels first and
    // any padding after them, which is dropped.
    const uint64_t total = static_cast<uint64_t>(picture->height * bytesPerLine);
    uint64_t produced = 0;
    size_t in = PcxHeaderSize;
    while (produced < total && in < size) {
        uint8_t value = data[in++];
        int count = 1;
        if (value >= 0xC0) {
            count = value & 0x3F;
            if (in >= size) break;
            value = data[in++];
        }
        for (; count > 0 && produced < total; --count, ++produced) {
            const uint64_t row = produced / static_cast<uint64_t>(bytesPerLine);
            const uint64_t column = produced % static_cast<uint64_t>(bytesPerLine);
            if (column < static_cast<uint64_t>(width)) indices[row * width + column] = value;
        }
    }

    if (size >= PcxPaletteSize && data[size - PcxPaletteSize] == PcxPaletteMarker) {
        const uint8_t* colours = data + size - PcxPaletteSize + 1;
        for (int i = 0; i < 768; ++i) picture->palette.Bytes[i] = colours[i] >> 2;
    }
    ExpandIndices(indices.data(), indices.size(), picture->palette, picture->pixels.data());
    return true;
}
