// Reduction of a picture to 256 palette colours with 6-bit components, as the PIX format stores
// them, with error-diffusion dithering. Pure black is kept apart as the transparent colour.
#pragma once

#include <cstdint>
#include <vector>

#include "raster.h"

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;  // row by row
    uint8_t palette[768] = {};     // red, green, blue, each 0..63
};

// Index 0 is black (0, 0, 0) and is given exactly to the pixels that are black at 8 bits; no
// other pixel gets it, and no other palette entry turns into the 16-bit value 0 in either pixel
// layout, so that transparency is exactly the picture's black. With dither set, the rounding
// error of each pixel is spread onto its neighbours (not onto black ones).
IndexedPicture Quantise(const Image& image, bool dither);
