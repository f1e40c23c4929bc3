// JPEG pictures through libjpeg: decoded straight into a surface, one scanline at a time, from
// the position where the data-file lookup left the file, so that an archive entry needs no size.
#pragma once

#include <cstdint>
#include <cstdio>

#include "display/surface.h"

// Loads the named data file. The surface pointer is in and out: null asks for a new surface of
// the picture's size; a surface passed in receives the picture at its top-left corner (clipped to
// it). Returns DD_OK, or an error with the caller's pointer as it was and nothing left open.
HRESULT LoadJpeg(const char* name, Surface** surface);
// The same for a file already open and positioned at the JPEG's first byte; the file is closed.
HRESULT LoadJpegFile(FILE* file, Surface** surface);

// Starts the decoder on the open file and gives the picture's size: 0, -1 without a file, -2 for a
// picture that is refused (not colour or grey, or larger than MaxPictureSide).
// Only for use inside LoadJpegFile, which catches the decoder's errors.
int ReadJpegSize(FILE* file, int32_t* width, int32_t* height);
// Decodes every scanline into locked surface memory that is surfaceWidth × surfaceHeight pixels,
// then finishes and releases the decoder and closes the file. Returns libjpeg's warning count.
long DecodeJpeg(uint8_t* pixels, LONG pitch, int32_t surfaceWidth, int32_t surfaceHeight);
// One decoded row, red, green, blue triples (or grey bytes for one component), into 16-bit pixels
// at pixels + y × pitch.
void ConvertRgbRow(uint8_t* pixels, const uint8_t* row, int32_t y, LONG pitch, int32_t width);
void ConvertGreyRow(uint8_t* pixels, const uint8_t* row, int32_t y, LONG pitch, int32_t width);
