#include <vector>

#include "image/picture_bytes.h"
#include "image/picture_readers.h"

namespace {

constexpr size_t TgaHeaderSize = 18;

}  // namespace

bool ReadTga(const uint8_t* data, size_t size, DecodedPicture* picture) {
    const uint32_t idLength = LittleField(data, size, 0, 1);
    const uint32_t mapType = LittleField(data, size, 1, 1);
    const uint32_t mapLength = LittleField(data, size, 5, 2);
    const uint32_t mapBits = LittleField(data, size, 7, 1);
    const uint32_t width = LittleField(data, size, 12, 2);
    const uint32_t height = LittleField(data, size, 14, 2);
    if (!AllocatePicture(picture, width, height)) return false;

    // The pixels follow the header, the image ID and a colour map, if there are any.
    uint64_t position = TgaHeaderSize + idLength;
    if (mapType == 1) position += uint64_t{mapLength} * ((mapBits + 7) / 8);

    // Each 18-bit colour's palette index: black is entry 0, new colours take entries 1, 2, 3 ...
    // in the order they first appear, and once 255 are placed a further new colour becomes 0.
    std::vector<int16_t> indexOf(1 << 18, -1);
    indexOf[0] = 0;
    int nextEntry = 1;
    std::vector<uint8_t> indices(picture->pixels.size(), 0);
    const size_t w = width;
    bool shortFile = false;
    for (size_t k = 0; k < height && !shortFile; ++k) {
        // Each file row is the next picture row from the top, whatever the descriptor says: the
        // pictures this reader was made for, and ImageMagick's, are stored that way.
        uint8_t* row = indices.data() + k * w;
        for (size_t x = 0; x < w; ++x, position += 3) {
            if (position + 3 > size) {  // short file: the rest stays index 0
                shortFile = true;
                break;
            }
            const int blue = data[position] >> 2;
            const int green = data[position + 1] >> 2;
            const int red = data[position + 2] >> 2;
            const int colour = red << 12 | green << 6 | blue;
            if (indexOf[colour] < 0) {
                if (nextEntry <= 255) {
                    uint8_t* entry = picture->palette.Bytes + 3 * nextEntry;
                    entry[0] = static_cast<uint8_t>(red);
                    entry[1] = static_cast<uint8_t>(green);
                    entry[2] = static_cast<uint8_t>(blue);
                    indexOf[colour] = static_cast<int16_t>(nextEntry++);
                } else {
                    indexOf[colour] = 0;
                }
            }
            row[x] = static_cast<uint8_t>(indexOf[colour]);
        }
    }
    ExpandIndices(indices.data(), indices.size(), picture->palette, picture->pixels.data());
    return true;
}
