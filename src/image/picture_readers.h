// The readers of the picture formats outside the game's own data: BMP, PCX, TGA, the Atari ST
// low-resolution PI1 and the raw screen layout that the screen dump writes for unknown names.
// Each works on the data file's bytes in memory and returns false for a picture it refuses (a
// size that is zero, negative or too large, or a form it cannot read); a short file leaves the
// rest of the picture black.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/decoded_picture.h"

// Uncompressed 8, 16 (555, or any masks with bit fields), 24 and 32 bits per pixel.
bool ReadBmp(const uint8_t* data, size_t size, DecodedPicture* picture);
// Run-length packed, one 8-bit plane, with the 256-colour palette at the end of the data.
bool ReadPcx(const uint8_t* data, size_t size, DecodedPicture* picture);
// Uncompressed 24-bit true colour; colours are gathered into a palette of at most 255 colours.
bool ReadTga(const uint8_t* data, size_t size, DecodedPicture* picture);
// 320 × 200, 16 colours in four interleaved bit planes, big-endian words.
bool ReadPi1(const uint8_t* data, size_t size, DecodedPicture* picture);
// ScreenWidth × ScreenHeight 16-bit display pixels, then a 768-byte palette.
bool ReadRawPicture(const uint8_t* data, size_t size, DecodedPicture* picture);
