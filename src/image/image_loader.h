// Picture data files into surfaces. The format follows the name: ".JPG" anywhere in it is a JPEG
// file; otherwise the first of ".TGA", ".PI1", ".BMP", ".PCX", ".PIC", ".GIF", ".PIX" that the
// upper-case name contains chooses the reader.
#pragma once

#include <cstdint>

#include "display/surface.h"

constexpr uint8_t ImageLoaded = 1;
constexpr uint8_t ImageNotLoaded = 0;     // not found, refused, or a format that is not read
constexpr uint8_t ImageNoSurface = 0xFE;  // the surface could not be created
constexpr int ImageNameBuffer = 80;       // names are at most 79 characters

// surface is in and out: null asks for a new surface of the picture's size, which the caller then
// owns; a surface passed in receives the picture at its top-left corner (clipped to it) and stays
// where it is. palette, when not null, receives the picture's palette (not for JPEG files). A
// JPEG name always reports ImageLoaded; the caller looks at the surface pointer.
uint8_t LoadImageFile(const char* name, Surface** surface, Palette* palette);
