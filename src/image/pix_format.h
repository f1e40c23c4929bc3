// PIX, the game's own picture format: an 11-byte header ("PIX", version, data position, width,
// height, type, 1), a packed size, the palette indices raw or run-length packed, and a 256-entry
// palette of 6-bit components. Without the magic the file is a headerless screen-sized picture:
// a 16-bit packed size, always-packed indices and the palette.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "image/decoded_picture.h"

constexpr int PixHeaderSize = 11;

// Reads a PIX file held in memory. False when the picture's size is refused; a short file leaves
// the rest of the picture black.
bool ReadPix(const uint8_t* data, size_t size, DecodedPicture* picture);

// Unpacks run-length packets (0x80 + n, v: v n times; n < 0x80: n literal bytes) into output,
// never writing more than outputSize bytes nor reading past packedSize. Returns the bytes written.
size_t DecodeRuns(const uint8_t* packed, size_t packedSize, uint8_t* output, size_t outputSize);

// Packs indices into run-length packets that DecodeRuns turns back into them.
size_t EncodeRuns(const uint8_t* indices, size_t count, uint8_t* output);

// Writes a whole PIX file of width × height palette indices and the palette (components 0..63,
// written as given). The screen dump writes its pictures raw; packed is for the game's own data,
// and falls back to raw where packing would not be read back as packed. False on a write error or
// a size the format cannot hold.
bool WritePix(FILE* file, const uint8_t* indices, int32_t width, int32_t height,
              const Palette& palette, bool packed = false);
