// JPEG files of the full-screen pictures, written with libjpeg.
#pragma once

#include <cstdint>
#include <vector>

#include "raster.h"

// Baseline JPEG at the given quality, without chroma subsampling: every 8 x 8 block holds its
// own colour, so a block that is wholly black decodes to exact black and the game's overlays
// keep a clean transparent background.
std::vector<uint8_t> EncodeJpeg(const Image& image, int quality);

// Decodes a JPEG into 8-bit RGB (for the generator's own checks and the contact sheet).
bool DecodeJpeg(const std::vector<uint8_t>& bytes, int* width, int* height,
                std::vector<uint8_t>* rgb);
