#include <algorithm>
#include <cstring>
#include <vector>

#include "image/picture_bytes.h"
#include "image/pix_format.h"

namespace {

// The indices at start (packedSize bytes, raw or packed), then the palette behind them; whatever
// the data lacks stays black.
void ReadIndicesAndPalette(const uint8_t* data, size_t size, uint64_t start, uint32_t packedSize,
                           bool raw, DecodedPicture* picture) {
    const size_t count = picture->pixels.size();
    std::vector<uint8_t> indices(count, 0);
    if (start < size) {
        const size_t available = static_cast<size_t>(std::min<uint64_t>(packedSize, size - start));
        if (raw)
            std::memcpy(indices.data(), data + start, std::min(available, count));
        else
            DecodeRuns(data + start, available, indices.data(), count);
    }
    const uint64_t paletteStart = start + packedSize;
    if (paletteStart < size) {
        const size_t length = static_cast<size_t>(
            std::min<uint64_t>(sizeof picture->palette.Bytes, size - paletteStart));
        std::memcpy(picture->palette.Bytes, data + paletteStart, length);
    }
    ExpandIndices(indices.data(), count, picture->palette, picture->pixels.data());
}

}  // namespace

size_t DecodeRuns(const uint8_t* packed, size_t packedSize, uint8_t* output, size_t outputSize) {
    size_t in = 0, out = 0;
    while (in < packedSize && out < outputSize) {
        const uint8_t c = packed[in++];
        if (c >= 0x80) {
            if (in >= packedSize) break;  // the value byte is missing
            const uint8_t value = packed[in++];
            const size_t n = std::min<size_t>(c - 0x80u, outputSize - out);
            std::memset(output + out, value, n);
            out += n;
        } else {
            const size_t n = std::min({size_t{c}, packedSize - in, outputSize - out});
            std::memcpy(output + out, packed + in, n);
            in += c;
            out += n;
        }
    }
    return out;
}

bool ReadPix(const uint8_t* data, size_t size, DecodedPicture* picture) {
    const bool hasHeader = size >= 3 && std::memcmp(data, "PIX", 3) == 0;
    if (!hasHeader) {
        // Headerless: a screen-sized picture, always packed.
        if (!AllocatePicture(picture, ScreenWidth, ScreenHeight)) return false;
        ReadIndicesAndPalette(data, size, 2, LittleField(data, size, 0, 2), false, picture);
        return true;
    }
    const auto width = static_cast<int16_t>(LittleField(data, size, 5, 2));
    const auto height = static_cast<int16_t>(LittleField(data, size, 7, 2));
    if (!AllocatePicture(picture, width, height)) return false;
    // Only type 0 is known; another type gives a black picture of its size.
    if (size <= 9 || data[9] != 0) return true;
    const uint64_t dataPosition = data[4];
    const int fieldBytes = width == 320 && height == 200 ? 2 : 4;
    const uint32_t packedSize = LittleField(data, size, dataPosition, fieldBytes);
    const bool raw = packedSize == picture->pixels.size();
    ReadIndicesAndPalette(data, size, dataPosition + fieldBytes, packedSize, raw, picture);
    return true;
}
