#include <algorithm>
#include <bit>

#include "image/picture_bytes.h"
#include "image/picture_readers.h"

namespace {

constexpr uint32_t CompressionNone = 0;
constexpr uint32_t CompressionBitFields = 3;

// One colour channel of a pixel under its mask, brought to 8 bits.
int Channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t channel = (value & mask) >> shift;
    return static_cast<int>(bits >= 8 ? channel >> (bits - 8) : channel << (8 - bits));
}

}  // namespace

bool ReadBmp(const uint8_t* data, size_t size, DecodedPicture* picture) {
    const uint32_t pixelOffset = LittleField(data, size, 10, 4);
    const uint32_t infoSize = LittleField(data, size, 14, 4);
    const auto width = static_cast<int32_t>(LittleField(data, size, 18, 4));
    const auto height = static_cast<int32_t>(LittleField(data, size, 22, 4));
    const uint32_t bits = LittleField(data, size, 28, 2);
    const uint32_t compression = LittleField(data, size, 30, 4);
    // The old 12-byte header has 16-bit sizes and 3-byte colours: not this reader's form.
    if (infoSize < 40) return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (compression != CompressionNone &&
        !(compression == CompressionBitFields && (bits == 16 || bits == 32)))
        return false;  // run-length and embedded pictures are not read
    const bool topDown = height < 0;
    if (!AllocatePicture(picture, width, topDown ? -int64_t{height} : height)) return false;

    if (bits == 8) {
        // The colour table follows the information header, blue, green, red, reserved; entries
        // that would lie in the pixel data are not in the file and stay black.
        const uint64_t table = 14 + uint64_t{infoSize};
        for (uint64_t i = 0; i < 256; ++i) {
            const uint64_t entry = table + 4 * i;
            if (pixelOffset > table && entry + 4 > pixelOffset) break;
            if (entry + 4 > size) break;
            uint8_t* out = picture->palette.Bytes + 3 * i;
            out[0] = static_cast<uint8_t>(data[entry + 2] >> 2);
            out[1] = static_cast<uint8_t>(data[entry + 1] >> 2);
            out[2] = static_cast<uint8_t>(data[entry] >> 2);
        }
    }
    uint32_t red = 0x7C00, green = 0x03E0, blue = 0x001F;  // 16 bits without masks: 555
    if (bits == 32) red = 0xFF0000, green = 0xFF00, blue = 0xFF;
    if (compression == CompressionBitFields) {
        // The masks follow a 40-byte header and sit at the same place inside a longer one.
        red = LittleField(data, size, 54, 4);
        green = LittleField(data, size, 58, 4);
        blue = LittleField(data, size, 62, 4);
    }

    const int64_t w = picture->width;
    const int64_t bytesPerPixel = bits / 8;
    const uint64_t stride = static_cast<uint64_t>((w * bits + 31) / 32 * 4);  // rows end on 4 bytes
    // Bottom-up rows beyond the screen's height are not read: the first file row lands on the
    // last screen row, as the game always placed it.
    const int64_t rows =
        topDown ? picture->height : std::min<int64_t>(picture->height, ScreenHeight);
    for (int64_t k = 0; k < rows; ++k) {
        const uint64_t rowStart = pixelOffset + static_cast<uint64_t>(k) * stride;
        if (rowStart >= size) break;
        uint16_t* out = picture->pixels.data() + (topDown ? k : rows - 1 - k) * w;
        for (int64_t x = 0; x < w; ++x) {
            const uint64_t at = rowStart + static_cast<uint64_t>(x * bytesPerPixel);
            if (at + static_cast<uint64_t>(bytesPerPixel) > size) return true;  // short file
            const uint8_t* p = data + at;
            switch (bits) {
            case 8: out[x] = PaletteColour16(p[0], picture->palette); break;
            case 24: out[x] = MakeColour16(p[2], p[1], p[0]); break;
            default: {
                const uint32_t v = bits == 16 ? LittleField(p, 2, 0, 2) : LittleField(p, 4, 0, 4);
                out[x] = MakeColour16(Channel(v, red), Channel(v, green), Channel(v, blue));
            }
            }
        }
    }
    return true;
}
