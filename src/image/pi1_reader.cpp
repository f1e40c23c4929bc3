#include <vector>

#include "image/picture_bytes.h"
#include "image/picture_readers.h"

namespace {

constexpr int Pi1Width = 320;
constexpr int Pi1Height = 200;
constexpr size_t Pi1PlaneStart = 34;  // resolution word and 16 palette words
constexpr int Pi1Groups = 4000;       // four plane words for every 16 pixels

}  // namespace

bool ReadPi1(const uint8_t* data, size_t size, DecodedPicture* picture) {
    if (!AllocatePicture(picture, Pi1Width, Pi1Height)) return false;
    for (int i = 0; i < 16; ++i) {
        const uint32_t word = BigField(data, size, 2 + 2 * i, 2);
        uint8_t* entry = picture->palette.Bytes + 3 * i;
        entry[0] = static_cast<uint8_t>(((word >> 8) & 7) * 63 / 7);
        entry[1] = static_cast<uint8_t>(((word >> 4) & 7) * 63 / 7);
        entry[2] = static_cast<uint8_t>((word & 7) * 63 / 7);
    }
    std::vector<uint8_t> indices(picture->pixels.size(), 0);
    for (int group = 0; group < Pi1Groups; ++group) {
        const uint64_t at = Pi1PlaneStart + 8 * uint64_t(group);
        if (at + 8 > size) break;  // short file: the rest stays index 0
        uint32_t planes[4];
        for (int p = 0; p < 4; ++p) planes[p] = BigField(data, size, at + 2 * p, 2);
        for (int bit = 15; bit >= 0; --bit) {
            int index = 0;
            for (int p = 0; p < 4; ++p) index |= static_cast<int>((planes[p] >> bit) & 1) << p;
            indices[16 * group + (15 - bit)] = static_cast<uint8_t>(index);
        }
    }
    ExpandIndices(indices.data(), indices.size(), picture->palette, picture->pixels.data());
    return true;
}
