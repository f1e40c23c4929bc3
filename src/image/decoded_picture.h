// What a picture reader hands to the loader: the picture's size, its 16-bit display pixels and
// the palette it came with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/surface.h"

// Pictures wider or higher than this are refused: no game picture comes near it, and it keeps a
// hostile header from asking for gigabytes.
constexpr int32_t MaxPictureSide = 8192;

struct DecodedPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> pixels;  // width × height, row after row from the top, no padding
    Palette palette{};             // entries a format does not supply stay black
};

// Sets the size and a cleared (black) pixel buffer; false, and nothing set, for a side that is
// zero, negative or above MaxPictureSide.
bool AllocatePicture(DecodedPicture* picture, int64_t width, int64_t height);

// Palette indices, one byte each, to 16-bit display pixels through the palette.
void ExpandIndices(const uint8_t* indices, size_t count, const Palette& palette, uint16_t* pixels);
