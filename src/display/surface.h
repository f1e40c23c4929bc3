// Surfaces and the 16-bit pixel format every one of them shares: creation, locks, single pixels,
// colour fills and clipped copies with and without a colour key, and colour conversion.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

using Surface = IDirectDrawSurface;

// 256 entries of red, green, blue, each 0..63, three bytes an entry.
struct Palette {
    uint8_t Bytes[768];
};

extern int32_t ScreenWidth;
extern int32_t ScreenHeight;
extern int32_t ScreenDepth;
extern int32_t GreenBits;
extern IDirectDraw* DisplayObject;

// A surface that stays lost, or a lock that never succeeds, is given up after this many tries so
// that a broken surface can never hang the program.
constexpr int MaxSurfaceRetries = 1000;

HRESULT NewSurface(int32_t width, int32_t height, DWORD caps, Surface** surface);
// On success: the address of pixel (0, 0) and the distance between rows in bytes.
HRESULT LockSurface(Surface* surface, uint8_t** bits, LONG* pitch);
void UnlockSurface(Surface* surface);
uint16_t ReadPixel(Surface* surface, int32_t x, int32_t y);
void FillSurfaceRect(Surface* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     uint16_t value);
void BlitScreen(Surface* destination, Surface* source);
void BlitRect(Surface* destination, int32_t x, int32_t y, const RECT& sourceRect, Surface* source);
void BlitRectKeyed(Surface* destination, int32_t x, int32_t y, const RECT& sourceRect,
                   Surface* source);
void SetSourceKey(Surface* surface, uint16_t value);
uint16_t MakeColour16(int red, int green, int blue);
uint16_t PaletteColour16(int index, const Palette& palette);
