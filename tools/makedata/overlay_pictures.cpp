// Pictures that the game lays over others with black transparent: the level-complete and
// game-over signs and the credits. They have no soft glows (a glow over black would turn into an
// opaque dark haze); crisp outlines and solid shadows keep them legible over any picture.
#include <algorithm>
#include <cmath>
#include <string>

#include "pictures.h"
#include "text_effects.h"
#include "text_render.h"

namespace {

// A face between two colours over a dark outline and a solid dark shadow; big signs get a
// thicker outline and a deeper shadow than small print.
TextLook OverlayLook(Colour top, Colour bottom, float outline, int shadow) {
    TextLook look;
    look.top = top;
    look.bottom = bottom;
    look.outline = outline;
    look.outlineColour = Hex(0x140820);
    look.shadow = shadow;
    look.shadowOpacity = 1.0f;
    look.shadowColour = Hex(0x0C0818);
    return look;
}

TextLook SignLook(Colour top, Colour bottom) { return OverlayLook(top, bottom, 4, 5); }
TextLook SmallLook(Colour top, Colour bottom) { return OverlayLook(top, bottom, 2.5f, 2); }

// Whatever is left of the drawing's dark fringe fades to black: pixels too dark to matter become
// transparent instead of a dim halo.
void SettleFringe(Image& img) {
    for (Colour& c : img.pixels)
        if (std::max({c.r, c.g, c.b}) < 0.03f) c = {};
}

// A solid ribbon across the screen behind the sign, bright edges top and bottom.
void Ribbon(Image& img, int top, int bottom, Colour fill, Colour edge) {
    for (int y = top; y < bottom; ++y) {
        const float t = (y - top) / static_cast<float>(bottom - top);
        const float shade = 0.75f + 0.25f * std::sin(t * 3.14159f);
        for (int x = 0; x < ScreenW; ++x) {
            // Slightly narrower at the top and bottom: the picture shows beside it.
            const float reach = 300 - std::fabs(t - 0.5f) * 40;
            if (std::fabs(x + 0.5f - 320) > reach) continue;
            img.At(x, y) = fill * shade;
        }
    }
    for (int x = 0; x < ScreenW; ++x) {
        if (std::fabs(x + 0.5f - 320) > 290) continue;
        for (int k = 0; k < 3; ++k) {
            img.At(x, top + k) = edge;
            img.At(x, bottom - 1 - k) = edge;
        }
    }
}

}  // namespace

Image MakeLevelComplete() {
    Image img(ScreenW, ScreenH);
    Ribbon(img, 170, 318, Hex(0x1A1450), Hex(0xFFD24A));
    DrawLettering(img, CentredAt(SetText("LEVEL COMPLETE", Typeface::SansBold, 52, 2.0f), 320, 182),
                  SignLook(Hex(0xFFF6C0), Hex(0xFF9A20)));
    DrawLettering(img, CentredAt(SetText("Level geschafft!", Typeface::SansBold, 26), 320, 246),
                  SmallLook(Hex(0xFFFFFF), Hex(0xBFE6FF)));
    DrawLettering(img, CentredAt(SetText("Enter \u25B8", Typeface::SansBold, 18), 320, 282),
                  SmallLook(Hex(0xFFE27A), Hex(0xFFC040)));
    SettleFringe(img);
    return img;
}

Image MakeGameOver() {
    Image img(ScreenW, ScreenH);
    Ribbon(img, 168, 312, Hex(0x3A0818), Hex(0xFF4A3A));
    DrawLettering(img, CentredAt(SetText("GAME OVER", Typeface::SansBold, 76, 4.0f), 320, 170),
                  SignLook(Hex(0xFFE0C0), Hex(0xFF3A20)));
    DrawLettering(img, CentredAt(SetText("Spiel vorbei", Typeface::SansBold, 26), 320, 262),
                  SmallLook(Hex(0xFFFFFF), Hex(0xFFC8C0)));
    SettleFringe(img);
    return img;
}

Image MakeMakers(bool english) {
    // Laid out for the lower half of the studio logo, which stays calm for it.
    Image img(ScreenW, ScreenH);
    struct Role {
        const char* english;
        const char* german;
        std::vector<const char*> names;
    };
    const Role roles[4] = {
        {"Coding", "Programmierung", {"Jonas Albrecht"}},
        {"Graphics", "Grafik", {"Mira Castell", "Tobias Reinholt", "Lena Voss"}},
        {"Level", "Level", {"Paul Hartmann", "Sofia Lindqvist"}},
        {"Music", "Musik", {"Felix Morgenstern", "Clara Weiss", "David Okafor"}}};
    DrawLettering(
        img,
        CentredAt(SetText(english ? "Made by" : "Gemacht von", Typeface::SerifBoldItalic, 24), 320,
                  266),
        SmallLook(Hex(0xFFFFFF), Hex(0xE0C8FF)));
    for (int r = 0; r < 4; ++r) {
        const int cx = r % 2 == 0 ? 190 : 450;
        const int top = r < 2 ? 300 : 384;
        DrawLettering(img,
                      CentredAt(SetText(english ? roles[r].english : roles[r].german,
                                        Typeface::SansBold, 17, 1.0f),
                                cx, top),
                      SmallLook(Hex(0xFFE8A0), Hex(0xF0B040)));
        int y = top + 22;
        for (const char* name : roles[r].names) {
            DrawLettering(img, CentredAt(SetText(name, Typeface::Sans, 16), cx, y),
                          SmallLook(Hex(0xFFFFFF), Hex(0xD8D8F0)));
            y += 19;
        }
    }
    SettleFringe(img);
    return img;
}
