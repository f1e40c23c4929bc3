// Pictures in the making: floating-point RGB images, coverage masks, and the drawing operations
// every generated picture is composed with (blends, soft shapes, blurs, outlines).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour Mix(Colour a, Colour b, float t) { return a + (b - a) * t; }
Colour Clamp01(Colour c);
// 0xRRGGBB to a colour.
Colour Hex(uint32_t rgb);
// The cosine palette a + b * cos(2 pi (c t + d)), a compact way to get smooth colour ramps.
Colour CosinePalette(float t, Colour a, Colour b, Colour c, Colour d);
float Smoothstep(float edge0, float edge1, float x);
float Luminance(Colour c);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;

    Image() = default;
    Image(int w, int h, Colour fill = {});
    Colour& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Colour& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Bilinear sample at a continuous position, edges clamped.
    Colour Sample(float x, float y) const;
};

// Coverage 0..1 per pixel, with the position of its top-left corner on the picture it belongs to.
struct Mask {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    std::vector<float> values;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0.0f) {}
    float& At(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    float At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    // Coverage at picture coordinates; 0 outside.
    float Get(int x, int y) const;
};

// Grows the mask by margin pixels on every side (so blurs and outlines have room).
Mask Pad(const Mask& mask, int margin);
// Approximate Gaussian blur: three box passes of the given radius.
Mask Blur(const Mask& mask, int radius);
// Every pixel takes the largest coverage within a disc of the radius: an outline's shape.
Mask Dilate(const Mask& mask, float radius);
// Coverage of one mask where another has none (a - b, clamped).
Mask Subtract(const Mask& a, const Mask& b);
Mask Shifted(Mask mask, int dx, int dy);

// Paints colour over the picture wherever the mask covers, scaled by opacity.
void PaintMask(Image& image, const Mask& mask, Colour colour, float opacity = 1.0f);
// The same, the colour taken per pixel from a vertical gradient between the mask's top and bottom.
void PaintMaskGradient(Image& image, const Mask& mask, Colour top, Colour bottom,
                       float opacity = 1.0f);
// Adds light: the colour times coverage is added to the picture (for glows).
void AddMask(Image& image, const Mask& mask, Colour colour, float strength = 1.0f);

// Soft-edged shapes, blended over the picture with their coverage.
void FillRect(Image& image, int left, int top, int right, int bottom, Colour colour,
              float opacity = 1.0f);
Mask RoundedRectMask(int left, int top, int right, int bottom, float radius);
Mask DiscMask(float cx, float cy, float radius);
Mask LineMask(float x0, float y0, float x1, float y1, float thickness);
Mask PolygonMask(const std::vector<float>& xy);

// Bright, soft light around a point that fades with distance (added).
void AddGlow(Image& image, float cx, float cy, float radius, Colour colour, float strength);
// Vertical gradient over the whole picture.
void FillVertical(Image& image, Colour top, Colour bottom);
// Darkens the corners.
void Vignette(Image& image, float strength);

// 8-bit RGB, row by row, three bytes a pixel, rounded and clamped.
std::vector<uint8_t> ToRgb8(const Image& image);
