#include <vector>

#include "image/pix_format.h"

size_t EncodeRuns(const uint8_t* indices, size_t count, uint8_t* output) {
    // Runs of three or more become run packets; everything else goes into literal packets.
    size_t in = 0, out = 0;
    while (in < count) {
        size_t run = 1;
        while (in + run < count && run < 127 && indices[in + run] == indices[in]) ++run;
        if (run >= 3) {
            output[out++] = static_cast<uint8_t>(0x80 + run);
            output[out++] = indices[in];
            in += run;
            continue;
        }
        const size_t start = in;
        size_t length = 0;
        while (in < count && length < 127) {
            size_t ahead = 1;
            while (in + ahead < count && ahead < 3 && indices[in + ahead] == indices[in]) ++ahead;
            if (ahead >= 3) break;  // a run starts here
            ++in;
            ++length;
        }
        output[out++] = static_cast<uint8_t>(length);
        for (size_t i = 0; i < length; ++i) output[out++] = indices[start + i];
    }
    return out;
}

bool WritePix(FILE* file, const uint8_t* indices, int32_t width, int32_t height,
              const Palette& palette, bool packed) {
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide)
        return false;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    const bool shortField = width == 320 && height == 200;
    // Worst case of the packing: one length byte for every 127 literal bytes.
    std::vector<uint8_t> body(count + count / 127 + 2);
    size_t bodySize = packed ? EncodeRuns(indices, count, body.data()) : count;
    // Packed data exactly as long as the picture would be read as raw, and the 2-byte field of a
    // 320 × 200 picture cannot hold more than 65535: both are written raw.
    if (!packed || bodySize == count || (shortField && bodySize > 0xFFFF)) {
        body.assign(indices, indices + count);
        bodySize = count;
    }
    uint8_t header[PixHeaderSize + 4] = {'P', 'I', 'X', 2, PixHeaderSize};
    header[5] = static_cast<uint8_t>(width);
    header[6] = static_cast<uint8_t>(width >> 8);
    header[7] = static_cast<uint8_t>(height);
    header[8] = static_cast<uint8_t>(height >> 8);
    header[9] = 0;
    header[10] = 1;
    for (int i = 0; i < 4; ++i)
        header[PixHeaderSize + i] = static_cast<uint8_t>(bodySize >> (8 * i));
    const size_t headerSize = PixHeaderSize + (shortField ? 2 : 4);
    return std::fwrite(header, 1, headerSize, file) == headerSize &&
           std::fwrite(body.data(), 1, bodySize, file) == bodySize &&
           std::fwrite(palette.Bytes, 1, sizeof palette.Bytes, file) == sizeof palette.Bytes;
}
