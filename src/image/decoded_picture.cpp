#include "image/decoded_picture.h"

bool AllocatePicture(DecodedPicture* picture, int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide)
        return false;
    picture->width = static_cast<int32_t>(width);
    picture->height = static_cast<int32_t>(height);
    picture->pixels.assign(static_cast<size_t>(width * height), 0);
    return true;
}

void ExpandIndices(const uint8_t* indices, size_t count, const Palette& palette, uint16_t* pixels) {
    // One conversion per palette entry instead of one per pixel.
    uint16_t colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = PaletteColour16(i, palette);
    for (size_t i = 0; i < count; ++i) pixels[i] = colours[indices[i]];
}
