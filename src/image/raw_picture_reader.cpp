#include <algorithm>
#include <cstring>

#include "image/picture_readers.h"

bool ReadRawPicture(const uint8_t* data, size_t size, DecodedPicture* picture) {
    if (!AllocatePicture(picture, ScreenWidth, ScreenHeight)) return false;
    const size_t pixelBytes = picture->pixels.size() * 2;
    // The pixels are stored as the display holds them, little-endian.
    const size_t present = std::min(pixelBytes, size) / 2;
    for (size_t i = 0; i < present; ++i)
        picture->pixels[i] = static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8);
    if (size > pixelBytes)
        std::memcpy(picture->palette.Bytes, data + pixelBytes,
                    std::min(sizeof picture->palette.Bytes, size - pixelBytes));
    return true;
}
