// Display lettering: text with a gradient face, an outline, a drop shadow and a glow.
#pragma once

#include "raster.h"

struct TextLook {
    Colour top{1, 1, 1};     // face colour at the top of the line
    Colour bottom{1, 1, 1};  // and at the bottom
    float outline = 0;       // outline width in pixels, 0 for none
    Colour outlineColour{0, 0, 0};
    int shadow = 0;  // drop shadow offset down and right, 0 for none
    float shadowOpacity = 0.6f;
    Colour shadowColour{0, 0, 0};  // overlays use a dark colour: their black is transparent
    int glow = 0;                  // glow blur radius, 0 for none
    Colour glowColour{1, 1, 1};
    float glowStrength = 1.0f;
};

// Draws the text mask (placed in picture coordinates) with the look.
void DrawLettering(Image& image, const Mask& text, const TextLook& look);
