// Screen dumps: what a screen-sized surface shows, written as a picture file whose format follows
// the name: ".PCX", ".BMP", ".PIX" (the first of them that the upper-case name contains), or the
// raw 16-bit pixels for any other name.
#pragma once

#include <cstdint>
#include <cstdio>

#include "display/surface.h"

constexpr int DumpNameBuffer = 128;  // names are at most 127 characters

// Writes the top-left ScreenWidth × ScreenHeight pixels of source. The PCX and PIX files hold
// palette indices: each pixel becomes the nearest colour of palette, or of a fixed 6 × 7 × 6
// colour cube when palette is null, and that palette is written. Returns 1; a name that is too
// long or a file that cannot be created writes nothing.
int WriteScreenDump(const char* name, Surface* source, const Palette* palette);

// Copies the surface's top-left width × height pixels into buffer, row after row; DD_OK or the
// lock's error (the buffer is then left as it was). Rows or columns the surface lacks are left
// as they were too.
HRESULT GrabSurface(Surface* surface, uint16_t* buffer, int32_t width, int32_t height);

// A 16-bit BMP of ScreenWidth × ScreenHeight pixels, bottom row first, in the 555 layout.
bool WriteBmp(FILE* file, const uint16_t* pixels);
// A run-length packed 8-bit PCX of ScreenWidth × ScreenHeight indices with its palette at the end.
bool WritePcx(FILE* file, const uint8_t* indices, const Palette& palette);

// The fixed palette of 6 levels of red, 7 of green and 6 of blue (entries 0 to 251; the rest
// black), and 16-bit display pixels reduced to the nearest entries of a palette.
Palette ColourCubePalette();
void ReduceToPalette(const uint16_t* pixels, size_t count, const Palette& palette,
                     uint8_t* indices);
