// The status line: a strip of labelled plates in German and English, and the small bitmap font
// whose digits the game prints onto the plates.
#include <algorithm>
#include <cmath>
#include <string>

#include "pictures.h"
#include "text_effects.h"
#include "text_render.h"

namespace {

// One plate per number: a label, then a recessed window where the digits land.
struct Plate {
    int left, right;
    const char* german;
    const char* english;
    const char* unit;  // printed after the digits, or null
};

constexpr Plate Plates[4] = {{6, 172, "Fläche", "Claimed", "%"},
                             {180, 296, "Level", "Level", nullptr},
                             {304, 456, "Punkte", "Score", nullptr},
                             {464, 580, "Leben", "Lives", nullptr}};

void DrawStrip(Image& img, int top, int height, bool english) {
    const int plateTop = top + 1, plateBottom = top + height - 1;
    for (int p = 0; p < 4; ++p) {
        const Plate& plate = Plates[p];
        const StatusField& field = StatusFields[p];
        const Mask body = RoundedRectMask(plate.left, plateTop, plate.right, plateBottom, 6);
        PaintMaskGradient(img, body, Hex(0x3A4A9A), Hex(0x141A48));
        const Mask inner =
            RoundedRectMask(plate.left + 1, plateTop + 1, plate.right - 1, plateBottom - 1, 5);
        PaintMask(img, Subtract(body, inner), Hex(0x8FB0FF));
        // The digit window: dark and even, so the digits read the same on every level.
        const int wl = field.x - 3, wr = field.x + field.digits * FontCellW + 2;
        const Mask window = RoundedRectMask(wl, top + StatusDigitsY - 2, wr,
                                            top + StatusDigitsY + FontCellH + 1, 3);
        PaintMask(img, window, Hex(0x080A20));
        PaintMask(img,
                  Subtract(window, RoundedRectMask(wl, top + StatusDigitsY - 1, wr,
                                                   top + StatusDigitsY + FontCellH + 1, 3)),
                  Hex(0x02030A));
        TextLook look;
        look.top = Hex(0xFFFFFF);
        look.bottom = Hex(0xBFD8FF);
        Mask label = SetText(english ? plate.english : plate.german, Typeface::SansBold, 12);
        label.left += plate.left + 8;
        label.top += top + StatusDigitsY - 2;
        DrawLettering(img, label, look);
        if (plate.unit) {
            Mask unit = SetText(plate.unit, Typeface::SansBold, 12);
            unit.left += wr + 3;
            unit.top += top + StatusDigitsY - 2;
            look.top = Hex(0xFFE27A);
            look.bottom = Hex(0xFFC040);
            DrawLettering(img, unit, look);
        }
    }
}

}  // namespace

Image MakeStatusStrip() {
    Image img(ScreenW, 80);
    DrawStrip(img, StatusGermanTop, StatusGermanHeight, false);
    DrawStrip(img, StatusEnglishTop, StatusEnglishHeight, true);
    // Nothing drawn may be black by accident: only the gaps between plates are transparent.
    for (Colour& c : img.pixels)
        if (std::max({c.r, c.g, c.b}) < 0.02f) c = {};
    return img;
}

Image MakeStatusFont() {
    // Codes 32 to 127 in 11 x 14 cells, 16 to a row: bright faces with a dark rim so that a
    // glyph reads over any background.
    const int rows = 96 / FontColumns;
    Image img(FontColumns * FontCellW, rows * FontCellH);
    for (int g = 0; g < 96; ++g) {
        const int code = 32 + g;
        if (code == 32 || code == 127) continue;
        const std::string text(1, static_cast<char>(code));
        Mask glyph = SetText(text, Typeface::MonoBold, 13);
        const int cellX = (g % FontColumns) * FontCellW, cellY = (g / FontColumns) * FontCellH;
        // Centre the advance in the cell; the ascender line sits one pixel above the cell top,
        // which leaves room for descenders.
        glyph.left += cellX + (FontCellW - 8) / 2;
        glyph.top += cellY - 1;
        Image cell(img.width, img.height);
        TextLook look;
        look.top = Hex(0xFFFFFF);
        look.bottom = Hex(0xFFD870);
        look.outline = 1.0f;
        look.outlineColour = Hex(0x101030);
        DrawLettering(cell, glyph, look);
        // Keep strictly inside the glyph's own cell.
        for (int y = cellY; y < cellY + FontCellH; ++y)
            for (int x = cellX; x < cellX + FontCellW; ++x) img.At(x, y) = cell.At(x, y);
    }
    for (Colour& c : img.pixels)
        if (std::max({c.r, c.g, c.b}) < 0.03f) c = {};
    return img;
}
