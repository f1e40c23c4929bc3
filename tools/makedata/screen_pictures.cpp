// The full-screen pictures of the front end: title, menu, pause sign, studio logo and the last
// slide of the goodbye slideshow.
#include <algorithm>
#include <cmath>
#include <string>

#include "noise.h"
#include "pictures.h"
#include "text_effects.h"
#include "text_render.h"

namespace {

const Colour LineBlue = Hex(0x0000F8);  // the claimed line as the game shows it
const Colour Gold = Hex(0xFFE27A);

// A scene of the game itself: a dark field, part of it claimed (the picture shows through)
// inside blue lines, a white trail on its way, and glowing monsters.
Image GameScene() {
    Image img(ScreenW, ScreenH);
    Noise n(7001);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float f = n.Fbm(x / 260.0f, y / 260.0f, 4);
            img.At(x, y) = Mix(Hex(0x07061A), Hex(0x1A0F3A), 0.5f + 0.5f * f) *
                           (0.9f + 0.1f * n.Get(x / 3.0f, y / 3.0f));
        }
    // Claimed ground: a staircase of rectangles as a player's captures would leave it.
    const Image picture = MakeLevelPicture(3);
    const int rects[][4] = {{0, 300, 230, 480}, {0, 380, 420, 480},   {150, 230, 230, 300},
                            {500, 0, 640, 150}, {560, 150, 640, 260}, {0, 0, 90, 120}};
    Mask claimed(ScreenW, ScreenH);
    for (const auto& r : rects)
        for (int y = r[1]; y < r[3]; ++y)
            for (int x = r[0]; x < r[2]; ++x) claimed.At(x, y) = 1;
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x)
            if (claimed.At(x, y) > 0) img.At(x, y) = picture.At(x, y) * 0.85f;
    // The blue line around claimed ground: where claimed meets open.
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            if (claimed.At(x, y) == 0) continue;
            bool edge = x < 2 || y < 2 || x >= ScreenW - 2 || y >= ScreenH - 2;
            for (int d = -2; d <= 2 && !edge; ++d)
                edge = (x + d >= 0 && x + d < ScreenW && claimed.At(x + d, y) == 0) ||
                       (y + d >= 0 && y + d < ScreenH && claimed.At(x, y + d) == 0);
            if (edge) img.At(x, y) = LineBlue;
        }
    // The trail: white, leaving the claimed ground and turning twice.
    const float trail[] = {230, 350, 330, 350, 330, 260, 395, 260};
    for (int i = 0; i + 3 < 8; i += 2) {
        const Mask line = LineMask(trail[i], trail[i + 1], trail[i + 2], trail[i + 3], 2.0f);
        AddMask(img, Blur(Pad(line, 8), 3), Hex(0x80A0FF), 0.8f);
        PaintMask(img, line, {1, 1, 1});
    }
    AddGlow(img, 395, 260, 5, Hex(0xFFFFFF), 1.5f);
    AddGlow(img, 395, 260, 14, Hex(0x60FF60), 0.7f);
    // Monsters in the open field.
    AddGlow(img, 470, 330, 16, Hex(0xFF6A20), 1.2f);
    AddGlow(img, 470, 330, 6, Hex(0xFFF0C0), 1.2f);
    AddGlow(img, 300, 150, 14, Hex(0x40C0FF), 1.1f);
    AddGlow(img, 300, 150, 5, Hex(0xE0FFFF), 1.2f);
    for (int i = 0; i < 8; ++i)
        AddGlow(img, 420.0f - i * 6.0f, 180.0f + std::sin(i * 0.8f) * 4, 3.5f, Hex(0x40FF60), 0.9f);
    return img;
}

const Image& TitleBackdrop() {
    // Shared by the title and all six menu pictures; built once, on first use.
    static const Image backdrop = GameScene();
    return backdrop;
}

TextLook TitleLook() {
    TextLook look;
    look.top = Hex(0xFFF4B0);
    look.bottom = Hex(0xFF7A18);
    look.outline = 4;
    look.outlineColour = Hex(0x2A0A30);
    look.shadow = 6;
    look.glow = 10;
    look.glowColour = Hex(0xFF6A20);
    look.glowStrength = 0.9f;
    return look;
}

TextLook PlainLook(Colour top, Colour bottom, float outline) {
    TextLook look;
    look.top = top;
    look.bottom = bottom;
    look.outline = outline;
    look.outlineColour = Hex(0x10081E);
    look.shadow = outline > 0 ? 2 : 0;
    return look;
}

// Darkens a band behind text towards deep blue, so that the text reads over the busy scene.
void ShadeBand(Image& img, int top, int bottom, float strength) {
    for (int y = std::max(0, top - 30); y < std::min(ScreenH, bottom + 30); ++y) {
        const float a = strength * Smoothstep(top - 30.0f, static_cast<float>(top), y) *
                        (1 - Smoothstep(static_cast<float>(bottom), bottom + 30.0f, y));
        for (int x = 0; x < ScreenW; ++x) img.At(x, y) = Mix(img.At(x, y), Hex(0x0A0826), a);
    }
}

}  // namespace

Image MakeTitle() {
    Image img = TitleBackdrop();
    ShadeBand(img, 110, 300, 0.55f);
    DrawLettering(img, CentredAt(SetText("Trazo", Typeface::SerifBoldItalic, 150), 320, 100),
                  TitleLook());
    DrawLettering(img,
                  CentredAt(SetText("claim the picture", Typeface::SansBold, 20, 3.0f), 320, 278),
                  PlainLook(Hex(0xBFE6FF), Hex(0x7FB8FF), 2));
    ShadeBand(img, 400, 450, 0.6f);
    DrawLettering(img, CentredAt(SetText("Press Enter", Typeface::SansBold, 28), 320, 398),
                  PlainLook({1, 1, 1}, Hex(0xFFD27A), 2.5f));
    DrawLettering(img, CentredAt(SetText("Enter drücken", Typeface::Sans, 17), 320, 434),
                  PlainLook(Hex(0xD0D0E0), Hex(0xA0A0C0), 2));
    return img;
}

Image MakeMenu(bool english, int marked) {
    Image img = TitleBackdrop();
    for (Colour& c : img.pixels) c = c * 0.5f + Hex(0x0A0826) * 0.5f;
    ShadeBand(img, 175, 400, 0.5f);
    DrawLettering(img, CentredAt(SetText("Trazo", Typeface::SerifBoldItalic, 84), 320, 28),
                  TitleLook());
    const char* entries[3][2] = {
        {"Start Game", "Spiel starten"}, {"Credits", "Credits"}, {"Quit", "Beenden"}};
    for (int i = 0; i < 3; ++i) {
        const int cy = 215 + i * 72;
        const bool on = i + 1 == marked;
        if (on) {
            const Mask plate = RoundedRectMask(150, cy - 28, 490, cy + 28, 14);
            AddMask(img, Blur(Pad(plate, 24), 10), Hex(0xFF7A18), 0.7f);
            PaintMaskGradient(img, plate, Hex(0x5A2A8A), Hex(0x2A1050));
            const Mask rim = Subtract(plate, RoundedRectMask(152, cy - 26, 488, cy + 26, 12));
            PaintMask(img, rim, Gold);
            for (int side = -1; side <= 1; side += 2) {
                const float tip = 320 + side * 150.0f;
                const float back = tip - side * 16.0f;
                PaintMask(
                    img,
                    PolygonMask({back, cy - 11.0f, tip, static_cast<float>(cy), back, cy + 11.0f}),
                    Gold);
            }
        }
        const Mask text =
            CentredAt(SetText(entries[i][english ? 0 : 1], Typeface::SansBold, on ? 34 : 30), 320,
                      cy - (on ? 21 : 19));
        if (on)
            DrawLettering(img, text, PlainLook({1, 1, 1}, Hex(0xFFD27A), 2.5f));
        else
            DrawLettering(img, text, PlainLook(Hex(0x9A9AC0), Hex(0x6A6A90), 2));
    }
    const std::string hint = english ? "\u2191 \u2193  choose      Enter  confirm"
                                     : "\u2191 \u2193  w\u00e4hlen      Enter  best\u00e4tigen";
    DrawLettering(img, CentredAt(SetText(hint, Typeface::Sans, 16), 320, 440),
                  PlainLook(Hex(0xA0A8D0), Hex(0x8088B0), 0));
    return img;
}

Image MakePause() {
    // Black everywhere but the sign. The sign fills whole 8 x 8 blocks, so that the JPEG's black
    // blocks stay exactly black and the game sees them as transparent.
    Image img(ScreenW, ScreenH);
    const int left = PauseSign.left, top = PauseSign.top, right = PauseSign.right,
              bottom = PauseSign.bottom;
    Noise n(7101);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const float t = (y - top) / static_cast<float>(bottom - top);
            img.At(x, y) =
                Mix(Hex(0x2A2F7A), Hex(0x121440), t) * (0.95f + 0.05f * n.Get(x / 4.0f, y / 4.0f));
        }
    const Mask outer = RoundedRectMask(left + 4, top + 4, right - 4, bottom - 4, 6);
    const Mask inner = RoundedRectMask(left + 7, top + 7, right - 7, bottom - 7, 4);
    PaintMask(img, Subtract(outer, inner), Hex(0x7FD0FF));
    Mask word = CentredAt(SetText("PAUSE", Typeface::SansBold, 50, 6.0f), 320, top + 13);
    TextLook look = PlainLook({1, 1, 1}, Hex(0xA8E0FF), 2);
    look.glow = 6;
    look.glowColour = Hex(0x4090FF);
    look.glowStrength = 0.8f;
    DrawLettering(img, word, look);
    DrawLettering(
        img, CentredAt(SetText("press P  \u00b7  Taste P", Typeface::SansBold, 12), 320, top + 70),
        PlainLook(Hex(0xFFE27A), Hex(0xFFC040), 0));
    // Nothing of the sign may leave its blocks, and nothing inside may be black.
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            Colour& c = img.At(x, y);
            if (x < left || x >= right || y < top || y >= bottom)
                c = {};
            else
                c = {std::max(c.r, 0.05f), std::max(c.g, 0.05f), std::max(c.b, 0.1f)};
        }
    return img;
}

Image MakeStudioLogo() {
    // Deep velvet with a soft sheen; the emblem sits in the upper half, the lower half stays calm
    // for the credits that are revealed over it.
    Image img(ScreenW, ScreenH);
    Noise n(7201);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float fold = n.Fbm(x / 180.0f, y / 90.0f, 4);
            const float sheen = std::pow(0.5f + 0.5f * std::sin(x / 55.0f + fold * 4), 3.0f);
            const float pile = 0.92f + 0.08f * n.Get(x / 1.5f, y / 1.5f);
            img.At(x, y) = (Mix(Hex(0x1E0630), Hex(0x4A1468), 0.35f + 0.4f * fold) +
                            Hex(0x6A2A8A) * (sheen * 0.35f)) *
                           pile;
        }
    Vignette(img, 0.7f);
    // The emblem: a ring with a bolt of lightning through it.
    const float cx = 320, cy = 104;
    AddGlow(img, cx, cy, 80, Hex(0x8A40FF), 0.5f);
    PaintMask(img, DiscMask(cx, cy, 72), Hex(0x1A0428));
    const Mask ring = Subtract(DiscMask(cx, cy, 72), DiscMask(cx, cy, 62));
    PaintMaskGradient(img, ring, Hex(0xF0D890), Hex(0xA07028));
    const std::vector<float> bolt = {cx + 14, cy - 70, cx - 30, cy + 8,  cx - 4, cy + 8,
                                     cx - 20, cy + 70, cx + 32, cy - 16, cx + 4, cy - 16};
    const Mask boltMask = PolygonMask(bolt);
    AddMask(img, Blur(Pad(boltMask, 20), 8), Hex(0x9FD0FF), 0.9f);
    PaintMaskGradient(img, boltMask, Hex(0xFFFFFF), Hex(0x9FD8FF));
    TextLook look = PlainLook(Hex(0xF6E2A0), Hex(0xC09040), 2);
    look.shadow = 3;
    DrawLettering(
        img, CentredAt(SetText("VELVET THUNDER", Typeface::SerifBold, 34, 4.0f), 320, 184), look);
    DrawLettering(img, CentredAt(SetText("s o f t w a r e", Typeface::Sans, 14, 2.0f), 320, 228),
                  PlainLook(Hex(0xC8A8E0), Hex(0xA088C0), 0));
    return img;
}

Image MakeThanks() {
    // Evening bokeh: soft discs of light over a warm gradient.
    Image img(ScreenW, ScreenH);
    FillVertical(img, Hex(0x140A30), Hex(0x6A1E4A));
    Rng rng(7301);
    for (int i = 0; i < 90; ++i) {
        const float x = rng.Range(-20, 660), y = rng.Range(-20, 500), r = rng.Range(8, 46);
        const Colour c = Mix(Hex(0xFF9A3C), Hex(0x5AC8FF), rng.Uniform()) * rng.Range(0.15f, 0.45f);
        const Mask disc = DiscMask(x, y, r);
        AddMask(img, Blur(Pad(disc, 4), 1 + static_cast<int>(r / 12)), c, 1.0f);
        AddMask(img, Subtract(disc, DiscMask(x, y, r - 2)), c, 0.6f);
    }
    ShadeBand(img, 150, 330, 0.45f);
    DrawLettering(
        img, CentredAt(SetText("Thanks for playing!", Typeface::SerifBoldItalic, 50), 320, 150),
        TitleLook());
    DrawLettering(
        img,
        CentredAt(SetText("Danke f\u00fcrs Spielen!", Typeface::SerifBoldItalic, 36), 320, 236),
        PlainLook(Hex(0xFFFFFF), Hex(0xBFE6FF), 2.5f));
    DrawLettering(
        img,
        CentredAt(SetText("Trazo \u00b7 VELVET THUNDER", Typeface::SansBold, 18, 2.0f), 320, 420),
        PlainLook(Hex(0xF6E2A0), Hex(0xC09040), 2));
    return img;
}
