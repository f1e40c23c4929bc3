// Generated pictures as the game's data files: JPEG or PIX bytes, and their decoding back into
// what the game's 16-bit screen shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

struct DataFile {
    std::string name;     // as the game asks for it, e.g. "FELD1.JPG"
    std::string archive;  // the archive that holds it
    std::vector<uint8_t> bytes;
    int width = 0, height = 0;  // the size it must decode to
    bool overlay = false;       // its black background must decode to exactly 0
};

std::vector<uint8_t> EncodePixFile(const Image& image, bool dither);

// The file decoded as the game's loader would: width, height and 16-bit pixels in the 565
// layout. False when the bytes do not decode.
bool DecodeTo16(const DataFile& file, int* width, int* height, std::vector<uint16_t>* pixels);

// 16-bit 565 pixels back to 8-bit RGB, the way a screen shows them.
std::vector<uint8_t> Rgb8From565(const std::vector<uint16_t>& pixels);

// Writes the decoded picture as a binary PPM named after the file into the folder.
bool WritePreview(const DataFile& file, const std::string& folder, std::string* problem);
