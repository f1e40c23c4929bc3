// The monsters' three 100 x 100 sprite tiles side by side: snake head, bouncer, drifter. The
// game adds them to the screen with saturation and scales them by picking pixels, from 1 to 96
// pixels wide, so each is a bold glowing shape on black with its own colour, recognisable from
// its colour alone at the smallest sizes.
#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace {

constexpr int Tile = 100;

// Light that fades from the tile's centre, reaching 0 before the tile's edge.
float Halo(float d, float radius) {
    if (d >= radius) return 0;
    const float t = 1 - d / radius;
    return t * t;
}

Colour SnakeHead(float x, float y) {
    const float dx = x - 50, dy = y - 50;
    const float d = std::hypot(dx, dy);
    Colour c = Hex(0x20FF40) * (0.35f * Halo(d, 49));
    // The head: a wedge, broad behind the eyes and narrowing to the snout, with a forked tongue.
    const float widthHere = 33 * (1 - 0.4f * std::clamp((dy + 34) / 70, 0.0f, 1.0f));
    const float e = std::hypot(dx / widthHere, (dy + 2) / 36);
    const float fork = std::max(0.0f, dy - 40);
    const float tongueX = std::fabs(dx) - fork * 0.6f;
    if (dy > 30 && dy < 47 && std::fabs(tongueX) < 1.6f) c = Hex(0xFF3050);
    if (e < 1) {
        // Rows of scales: arcs that repeat down the head, faint enough to stay calm when small.
        const float row = std::sin((dy + 0.02f * dx * dx) * 0.55f);
        const float scales = 0.9f + 0.1f * row * std::sin(dx * 0.55f + (row > 0 ? 1.6f : 0.0f));
        Colour skin = Mix(Hex(0xB8FF60), Hex(0x149A2A), (dy + 36) / 72) * scales;
        skin = skin + Hex(0xE0FFB0) * (0.5f * Halo(std::hypot(dx + 10, dy + 18), 16));
        c = Mix(c, skin, std::clamp((1 - e) * 30, 0.0f, 1.0f));
    }
    // Two eyes with slit pupils, and nostrils.
    for (int side = -1; side <= 1; side += 2) {
        const float ex = dx - side * 15, ey = dy + 10;
        const float eye = std::hypot(ex, ey);
        if (eye < 8.5f) {
            c = Mix(Hex(0xFFF27A), Hex(0xFFB020), eye / 8.5f);
            if (std::fabs(ex) < 1.8f && std::fabs(ey) < 6.5f) c = Hex(0x102008);
        }
        if (std::hypot(dx - side * 5, dy - 20) < 2.0f) c = Hex(0x0A3010);
    }
    return c;
}

Colour Bouncer(float x, float y) {
    const float dx = x - 50, dy = y - 50;
    const float d = std::hypot(dx, dy);
    Colour c = Hex(0xFF5010) * (0.45f * Halo(d, 49));
    // A ring around the ball.
    const float ring = std::fabs(d - 40);
    if (ring < 3) c = c + Hex(0xFFA040) * (1 - ring / 3);
    if (d < 30) {
        const float h = std::hypot(dx + 10, dy + 10) / 40;
        Colour ball = Mix(Hex(0xFFFFE0), Hex(0xFF8A20), std::clamp(h * 1.4f, 0.0f, 1.0f));
        ball = Mix(ball, Hex(0xC02010), Smoothstep(0.7f, 1.0f, d / 30));
        c = Mix(c, ball, std::clamp(30 - d, 0.0f, 1.0f));
    }
    return c;
}

Colour Drifter(float x, float y) {
    const float dx = x - 50, dy = y - 50;
    const float d = std::hypot(dx, dy);
    Colour c = Hex(0x4060FF) * (0.5f * Halo(d, 49));
    // A four-pointed star: inside where sqrt|x| + sqrt|y| stays below a bound.
    const float star = std::sqrt(std::fabs(dx) / 44) + std::sqrt(std::fabs(dy) / 44);
    if (star < 1) {
        const Colour body = Mix(Hex(0xE8FFFF), Hex(0xB040FF), std::clamp(d / 40, 0.0f, 1.0f));
        c = Mix(c, body, std::clamp((1 - star) * 12, 0.0f, 1.0f));
    }
    c = c + Hex(0x80F0FF) * (0.8f * Halo(d, 18));
    return c;
}

}  // namespace

Image MakeSprites() {
    Image img(3 * Tile, Tile);
    for (int t = 0; t < 3; ++t)
        for (int y = 0; y < Tile; ++y)
            for (int x = 0; x < Tile; ++x) {
                Colour c;
                // Four samples per pixel smooth the edges at full size.
                for (int s = 0; s < 4; ++s) {
                    const float px = x + 0.25f + 0.5f * (s & 1), py = y + 0.25f + 0.5f * (s >> 1);
                    c = c + (t == 0   ? SnakeHead(px, py)
                             : t == 1 ? Bouncer(px, py)
                                      : Drifter(px, py));
                }
                c = Clamp01(c * 0.25f);
                // Faint light adds nothing visible; it is dropped so that the tile's edge is clean.
                if (std::max({c.r, c.g, c.b}) < 0.03f) c = {};
                img.At(t * Tile + x, y) = c;
            }
    return img;
}
