// The fourteen level backgrounds. Claimed ground shows them piece by piece, so each is rich in
// colour and detail everywhere, and each is built by a different technique so that no two
// levels look alike.
#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "pictures.h"

namespace {

constexpr float Pi = 3.14159265f;

float Fract(float x) { return x - std::floor(x); }

// Marbled sunset: noise whose coordinates are bent by noise, twice over.
Image WarpedMarble() {
    Image img(ScreenW, ScreenH);
    Noise n(101);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float px = x / 230.0f, py = y / 230.0f;
            const float qx = n.Fbm(px, py, 4), qy = n.Fbm(px + 5.2f, py + 1.3f, 4);
            const float rx = n.Fbm(px + 4 * qx + 1.7f, py + 4 * qy + 9.2f, 4);
            const float ry = n.Fbm(px + 4 * qx + 8.3f, py + 4 * qy + 2.8f, 4);
            const float f = n.Fbm(px + 4 * rx, py + 4 * ry, 6) * 0.5f + 0.5f;
            Colour c = Mix(Hex(0x1B2A6F), Hex(0xE0503A), std::clamp(f * f * 2.8f, 0.0f, 1.0f));
            c = Mix(c, Hex(0x18A0A8), std::clamp(std::sqrt(qx * qx + qy * qy) * 1.3f, 0.0f, 1.0f));
            c = Mix(c, Hex(0xFFE0A0), std::clamp(std::fabs(rx) * 1.6f, 0.0f, 1.0f) * 0.75f);
            c = c * (0.5f + 1.2f * f);
            img.At(x, y) = c;
        }
    return img;
}

// Interference of rings and waves, coloured by a rainbow ramp with fine contour lines.
Image Plasma() {
    Image img(ScreenW, ScreenH);
    Noise n(202);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float wx = x + 40 * n.Fbm(x / 200.0f, y / 200.0f, 3);
            const float wy = y + 40 * n.Fbm(x / 200.0f + 7, y / 200.0f + 3, 3);
            float v = std::sin(wx * 0.021f) + std::sin(wy * 0.027f + 1.0f) +
                      std::sin((wx + wy) * 0.013f) +
                      std::sin(std::hypot(wx - 420, wy - 170) * 0.035f) +
                      std::sin(std::hypot(wx - 120, wy - 380) * 0.028f);
            // Fine silky threads ride on the broad waves.
            const float threads = std::sin(v * 9.0f + wx * 0.01f) * 0.5f + 0.5f;
            const float t = v * 0.1f + 0.5f;
            Colour c = CosinePalette(t, {0.55f, 0.55f, 0.55f}, {0.42f, 0.42f, 0.42f},
                                     {1.0f, 1.0f, 1.0f}, {0.0f, 0.33f, 0.67f});
            const float band = std::fabs(Fract(v * 2.0f) - 0.5f) * 2.0f;
            c = c * (0.62f + 0.3f * Smoothstep(0.0f, 0.35f, band) + 0.12f * threads);
            c = c + Colour{1, 0.95f, 0.9f} * (0.22f * Smoothstep(0.9f, 1.0f, band));
            img.At(x, y) = c;
        }
    return img;
}

// Stained glass: Voronoi cells in jewel colours, lead between them, light from behind.
Image StainedGlass() {
    Image img(ScreenW, ScreenH);
    Rng rng(303);
    Noise n(304);
    constexpr int Cell = 48;
    // One ring of cells beyond the picture on every side, for the neighbours of edge pixels.
    constexpr int GX = ScreenW / Cell + 3, GY = ScreenH / Cell + 3;
    std::vector<float> sx(GX * GY), sy(GX * GY);
    std::vector<Colour> colour(GX * GY);
    const Colour jewels[] = {Hex(0xB0122A), Hex(0x1A3FA8), Hex(0x168A4A), Hex(0xE39B12),
                             Hex(0x6E2AA0), Hex(0x0E8FA8), Hex(0xD4561C)};
    for (int j = 0; j < GY; ++j)
        for (int i = 0; i < GX; ++i) {
            sx[j * GX + i] = (i - 1 + rng.Range(0.1f, 0.9f)) * Cell;
            sy[j * GX + i] = (j - 1 + rng.Range(0.1f, 0.9f)) * Cell;
            colour[j * GX + i] = jewels[rng.Below(7)] * rng.Range(0.75f, 1.2f);
        }
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const int ci = x / Cell + 1, cj = y / Cell + 1;
            float d1 = 1e9f, d2 = 1e9f;
            int best = 0;
            for (int j = cj - 1; j <= cj + 1; ++j)
                for (int i = ci - 1; i <= ci + 1; ++i) {
                    const int k = j * GX + i;
                    const float d = std::hypot(x - sx[k], y - sy[k]);
                    if (d < d1) {
                        d2 = d1;
                        d1 = d;
                        best = k;
                    } else if (d < d2) {
                        d2 = d;
                    }
                }
            const float edge = (d2 - d1) * 0.5f;
            const float light =
                0.55f +
                0.75f * std::exp(-std::pow(std::hypot(x - 320.0f, y - 120.0f) / 330.0f, 2.0f));
            const float grain =
                0.85f + 0.15f * n.Fbm(x / 18.0f, y / 18.0f, 3) + 0.1f * n.Get(x / 3.0f, y / 40.0f);
            Colour glass = colour[best] * (light * grain);
            // A bright sheen towards each cell's centre.
            glass = glass + Colour{1, 0.95f, 0.8f} * (0.25f * std::exp(-d1 * d1 / 400.0f) * light);
            const float lead = 1.0f - Smoothstep(1.5f, 3.0f, edge);
            Colour leadColour = Hex(0x2A2A30) * (0.8f + 0.6f * Smoothstep(0.0f, 1.5f, edge));
            img.At(x, y) = Mix(glass, leadColour, lead);
        }
    return img;
}

// Coral: the Gray-Scott reaction-diffusion system grown from scattered seeds.
Image Coral() {
    constexpr int W = 320, H = 240;
    std::vector<float> u(W * H, 1.0f), v(W * H, 0.0f), nu(W * H), nv(W * H);
    Rng rng(404);
    for (int s = 0; s < 160; ++s) {
        const int cx = rng.Below(W), cy = rng.Below(H), r = 2 + rng.Below(3);
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x) {
                const int px = (cx + x + W) % W, py = (cy + y + H) % H;
                u[py * W + px] = 0.5f;
                v[py * W + px] = 0.25f + rng.Uniform() * 0.05f;
            }
    }
    const float du = 0.2097f, dv = 0.105f, feed = 0.0545f, kill = 0.062f;
    for (int step = 0; step < 5000; ++step) {
        for (int y = 0; y < H; ++y) {
            const int ym = ((y + H - 1) % H) * W, yp = ((y + 1) % H) * W, yc = y * W;
            for (int x = 0; x < W; ++x) {
                const int xm = (x + W - 1) % W, xp = (x + 1) % W;
                const int i = yc + x;
                const float lu = u[yc + xm] + u[yc + xp] + u[ym + x] + u[yp + x] - 4 * u[i];
                const float lv = v[yc + xm] + v[yc + xp] + v[ym + x] + v[yp + x] - 4 * v[i];
                const float uvv = u[i] * v[i] * v[i];
                nu[i] = u[i] + du * lu - uvv + feed * (1 - u[i]);
                nv[i] = v[i] + dv * lv + uvv - (feed + kill) * v[i];
            }
        }
        std::swap(u, nu);
        std::swap(v, nv);
    }
    Image field(W, H);
    for (int i = 0; i < W * H; ++i) field.pixels[i] = {v[i], 0, 0};
    Image img(ScreenW, ScreenH);
    Noise n(405);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float fx = x * 0.5f, fy = y * 0.5f;
            const float h = field.Sample(fx, fy).r;
            const float hx = field.Sample(fx + 0.5f, fy).r - field.Sample(fx - 0.5f, fy).r;
            const float hy = field.Sample(fx, fy + 0.5f).r - field.Sample(fx, fy - 0.5f).r;
            const float shade = std::clamp(0.75f - (hx + hy) * 6.0f, 0.2f, 1.4f);
            const float t = Smoothstep(0.05f, 0.35f, h);
            const Colour water =
                Mix(Hex(0x06304A), Hex(0x0B6E7A), 0.5f + 0.5f * n.Fbm(x / 150.0f, y / 150.0f, 3));
            const Colour coral = Mix(Hex(0xFF7F50), Hex(0xFFD1A8), Smoothstep(0.25f, 0.4f, h));
            img.At(x, y) = Mix(water, Mix(Hex(0xC2185B), coral, t), t) * shade;
        }
    return img;
}

// Fire: tongues of flame from noise that is stretched upwards and bent by more noise, coloured
// by the glow of hot matter, with embers drifting above.
Image Flame() {
    Image img(ScreenW, ScreenH);
    Noise n(505), m(506);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float fx = x / 90.0f, fy = y / 150.0f;
            const float warp = m.Fbm(fx * 0.8f, fy * 1.5f, 4);
            const float tongues = n.Ridged(fx + warp * 1.2f, fy * 1.3f + warp * 0.6f, 5);
            const float body = 0.5f + 0.5f * n.Fbm(fx * 0.5f + 3, fy * 0.7f + warp, 4);
            const float rise = std::pow(y / static_cast<float>(ScreenH), 1.3f);
            float heat = tongues * tongues * (0.35f + 1.15f * rise) * (0.6f + 0.8f * body);
            heat = std::max(0.0f, heat - 0.05f) * 1.5f;
            // Black body: deep red, orange, yellow, white.
            Colour c = Mix(Hex(0x12020A), Hex(0xA0100A), Smoothstep(0.0f, 0.35f, heat));
            c = Mix(c, Hex(0xFF6A10), Smoothstep(0.3f, 0.7f, heat));
            c = Mix(c, Hex(0xFFD040), Smoothstep(0.65f, 1.0f, heat));
            c = Mix(c, Hex(0xFFFBE0), Smoothstep(1.0f, 1.4f, heat));
            img.At(x, y) = c + Hex(0x301040) * ((1 - rise) * 0.35f);
        }
    Rng rng(507);
    for (int e = 0; e < 140; ++e) {
        const float x = rng.Range(0, ScreenW), y = rng.Range(0, 380);
        AddGlow(img, x, y, rng.Range(0.6f, 2.2f), Hex(0xFFB040), 1.3f);
    }
    return img;
}

// Sunset over mountain ranges and a lake that mirrors them.
Image MountainLake() {
    Image img(ScreenW, ScreenH);
    Noise n(606);
    const int horizon = 330;
    const float sunX = 420, sunY = 205;
    for (int y = 0; y < horizon; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float t = y / static_cast<float>(horizon);
            Colour sky = t < 0.55f ? Mix(Hex(0x1D2B64), Hex(0xB24A6E), t / 0.55f)
                                   : Mix(Hex(0xB24A6E), Hex(0xFFB35C), (t - 0.55f) / 0.45f);
            const float cloud =
                Smoothstep(0.05f, 0.55f, n.Fbm(x / 150.0f, y / 32.0f, 5) + 0.1f - t * 0.35f);
            const Colour lit = Mix(Hex(0xFFD3A5), Hex(0xFF8C6A), t);
            sky = Mix(sky, Mix(Hex(0x6A2C5A), lit, 0.3f + 0.7f * cloud), cloud * 0.75f);
            img.At(x, y) = sky;
        }
    AddGlow(img, sunX, sunY, 24, Hex(0xFFF4C8), 1.6f);
    AddGlow(img, sunX, sunY, 110, Hex(0xFF8A3C), 0.5f);
    // Ranges from far to near: each lower, darker and more shaded; faces towards the sun are lit.
    const Colour ranges[] = {Hex(0xA07098), Hex(0x74508A), Hex(0x4C3A70), Hex(0x2E264E),
                             Hex(0x1A1834)};
    const float baseY[] = {238, 262, 288, 310, 332};
    const float height[] = {130, 105, 80, 55, 34};
    const float scale[] = {260, 210, 160, 120, 80};
    std::vector<float> ridge(ScreenW);
    for (int r = 0; r < 5; ++r) {
        for (int x = 0; x < ScreenW; ++x)
            ridge[x] = baseY[r] -
                       height[r] * std::pow(n.Ridged(x / scale[r] + r * 11.0f, r * 3.3f, 6), 1.4f);
        for (int x = 0; x < ScreenW; ++x) {
            const float slope =
                (ridge[std::min(x + 6, ScreenW - 1)] - ridge[std::max(x - 6, 0)]) / 6;
            const float side = x < sunX ? 1.0f : -1.0f;
            for (int y = std::max(0, static_cast<int>(ridge[x])); y < horizon; ++y) {
                const float below = y - ridge[x];
                const float face = std::exp(-below / 25.0f);
                // Light on the rock: the ridge's own slope near the crest, the slope of a rugged
                // noise surface further down.
                const float gx = n.Fbm((x + 1) / 30.0f + r * 5, y / 22.0f, 4) -
                                 n.Fbm((x - 1) / 30.0f + r * 5, y / 22.0f, 4);
                const float lit = std::clamp(
                    0.5f + side * (slope * 0.6f * face + gx * 9.0f * (1 - face)), 0.0f, 1.0f);
                const float rock = n.Fbm(x / 14.0f + r * 5, y / 14.0f, 4);
                Colour c = ranges[r] * (0.9f + 0.2f * rock) * (0.6f + 0.8f * lit);
                const float snowLine =
                    baseY[r] - height[r] * 0.55f + 12 * n.Fbm(x / 18.0f, y / 18.0f + r, 3);
                if (r < 3 && y < snowLine)
                    c = Mix(Hex(0x8E7CB0) * (1.0f - 0.15f * r), Hex(0xFFE0CC), lit) *
                        (0.9f + 0.15f * rock);
                // Mist gathers at the foot of each range.
                const float mist = Smoothstep(baseY[r] - 30, baseY[r] + 10, static_cast<float>(y)) *
                                   (0.45f - r * 0.07f);
                c = Mix(c, Hex(0xD08A98), mist);
                const float edge = std::clamp(ridge[x] + 1 - y, 0.0f, 1.0f);
                img.At(x, y) = Mix(c, img.At(x, y), edge);
            }
        }
    }
    for (int y = horizon; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float depth = (y - horizon) / static_cast<float>(ScreenH - horizon);
            // Calm water: the mirror image swings a little sideways, softened over a few rows.
            const float ripple = n.Fbm(x / 80.0f, y * y / 2500.0f, 3) * (2 + 12 * depth);
            const float my = 2.0f * horizon - y;
            Colour mirrored;
            for (int k = -2; k <= 2; ++k)
                mirrored = mirrored + img.Sample(x + ripple, std::clamp(my + k * (1 + 2 * depth),
                                                                        0.0f, horizon - 1.0f));
            Colour c =
                mirrored * (0.2f * (0.78f - 0.3f * depth)) + Hex(0x182448) * (0.22f + 0.3f * depth);
            const float glint = Smoothstep(0.35f, 0.7f, n.Get(x / 4.0f, y * y / 800.0f)) *
                                std::exp(-std::pow((x - sunX) / (30 + 50 * depth), 2.0f));
            img.At(x, y) = c + Hex(0xFFC880) * (glint * 0.9f);
        }
    return img;
}

// The classic deep-blue, white and gold cycle of fractal pictures.
Colour Gradient(float t) {
    static const float stops[5] = {0.0f, 0.16f, 0.42f, 0.6425f, 0.8575f};
    static const uint32_t colours[5] = {0x000764, 0x206BCB, 0xEDFFFF, 0xFFAA00, 0x000200};
    t = Fract(t);
    for (int i = 0; i < 5; ++i) {
        const float end = i == 4 ? 1.0f : stops[i + 1];
        if (t < end)
            return Mix(Hex(colours[i]), Hex(colours[(i + 1) % 5]),
                       (t - stops[i]) / (end - stops[i]));
    }
    return Hex(colours[0]);
}

// Seahorse valley of the Mandelbrot set, smoothly coloured.
Image Mandelbrot() {
    Image img(ScreenW, ScreenH);
    const double cx = -0.7453, cy = 0.1127, scale = 0.0065;
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            Colour sum;
            for (int s = 0; s < 4; ++s) {
                const double px = cx + (x + 0.25 + 0.5 * (s & 1) - 320) * scale / 320;
                const double py = cy + (y + 0.25 + 0.5 * (s >> 1) - 240) * scale / 320;
                double zx = 0, zy = 0;
                int i = 0;
                constexpr int Limit = 600;
                while (i < Limit && zx * zx + zy * zy < 256) {
                    const double t = zx * zx - zy * zy + px;
                    zy = 2 * zx * zy + py;
                    zx = t;
                    ++i;
                }
                if (i == Limit) {
                    sum = sum + Hex(0x0A0820);
                    continue;
                }
                const double smooth = i + 1 - std::log2(std::log2(zx * zx + zy * zy) * 0.5);
                sum = sum + Gradient(static_cast<float>(std::log(smooth) * 0.6));
            }
            img.At(x, y) = sum * 0.25f;
        }
    return img;
}

// Deep space: glowing nebula clouds, dust lanes, a field of stars and a ringed planet.
Image Nebula() {
    Image img(ScreenW, ScreenH);
    Noise n(808), m(809);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float fx = x / 220.0f, fy = y / 220.0f;
            const float warp = n.Fbm(fx, fy, 4);
            const float a = std::max(0.0f, m.Fbm(fx + warp, fy - warp, 6) + 0.15f);
            const float b = std::max(0.0f, n.Fbm(fx * 1.7f + 4, fy * 1.7f + 2 + warp, 6));
            const float dust = Smoothstep(-0.1f, 0.4f, m.Ridged(fx * 2 + 9, fy * 2, 5) - 0.55f);
            Colour c =
                Hex(0x05051A) + Hex(0xD0307A) * (a * a * 3.0f) + Hex(0x2AA6C8) * (b * b * 3.5f);
            c = c + Hex(0xFFE0B0) * std::pow(a * b * 4.0f, 2.0f);
            img.At(x, y) = c * (1 - 0.6f * dust);
        }
    Rng rng(810);
    for (int s = 0; s < 900; ++s) {
        const float x = rng.Range(0, ScreenW), y = rng.Range(0, ScreenH);
        const float size = std::pow(rng.Uniform(), 6.0f) * 3.0f + 0.35f;
        const Colour tint = Mix(Hex(0xA8C8FF), Hex(0xFFE2B8), rng.Uniform());
        AddGlow(img, x, y, size, tint, 1.3f);
        if (size > 2.9f) {
            AddMask(img, LineMask(x - size * 6, y, x + size * 6, y, 1.0f), tint, 0.5f);
            AddMask(img, LineMask(x, y - size * 6, x, y + size * 6, 1.0f), tint, 0.5f);
        }
    }
    // The planet, lit from the upper left, with its ring in front.
    const float px = 470, py = 330, pr = 90;
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float dx = (x - px) / pr, dy = (y - py) / pr;
            const float d2 = dx * dx + dy * dy;
            if (d2 >= 1.06f) continue;
            const float z = std::sqrt(std::max(0.0f, 1 - d2));
            const float light = std::clamp(-dx * 0.6f - dy * 0.5f + z * 0.6f, 0.0f, 1.0f);
            const float bands = 0.5f + 0.5f * std::sin(dy * 14 + n.Fbm(dx * 3, dy * 9, 3) * 2.5f);
            Colour c = Mix(Hex(0xC86A3A), Hex(0xF2D2A0), bands) * (0.08f + 1.0f * light);
            const float cover = std::clamp((1 - std::sqrt(d2)) * pr, 0.0f, 1.0f);
            img.At(x, y) =
                Mix(img.At(x, y), c, cover) +
                Hex(0x6090FF) * (std::max(0.0f, 1 - std::fabs(std::sqrt(d2) - 1) * 12) * 0.5f);
        }
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float rx = (x - px), ry = (y - py);
            const float u = (rx * 0.95f + ry * 0.31f), v = (-rx * 0.31f + ry * 0.95f) * 4.2f;
            const float r = std::hypot(u, v) / pr;
            if (r < 1.3f || r > 2.05f) continue;
            // The half of the ring behind the planet is hidden by it.
            if (v < 0 && std::hypot(rx, ry) < pr) continue;
            const float bands = 0.6f + 0.4f * std::sin(r * 60) * std::sin(r * 23);
            const float a =
                Smoothstep(1.3f, 1.38f, r) * (1 - Smoothstep(1.95f, 2.05f, r)) * bands * 0.8f;
            img.At(x, y) = Mix(img.At(x, y), Hex(0xE8CFA8) * 0.9f, a);
        }
    return img;
}

// Under the sea: shafts of light and the dancing net of caustics on a sandy floor.
Image Underwater() {
    Image img(ScreenW, ScreenH);
    Noise n(909);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            // Caustics: a few rounds of a self-bending wave, the classic water pattern.
            const float px = x / 95.0f - 250, py = y / 95.0f - 250;
            float ix = px, iy = py, c = 1.0f;
            for (int k = 0; k < 5; ++k) {
                const float t = 1.7f * (1 - 3.5f / (k + 1));
                const float jx = px + std::cos(t - ix) + std::sin(t + iy);
                const float jy = py + std::sin(t - iy) + std::cos(t + ix);
                ix = jx;
                iy = jy;
                c += 1.0f /
                     std::hypot(px / (std::sin(ix + t) / 0.005f), py / (std::cos(iy + t) / 0.005f));
            }
            c /= 5;
            c = 1.17f - std::pow(c, 1.4f);
            const float caustic = std::pow(std::fabs(c), 8.0f);
            const float depth = y / static_cast<float>(ScreenH);
            Colour water = Mix(Hex(0x2BB3C0), Hex(0x05305A), depth);
            const float floor = Smoothstep(0.62f, 0.8f, depth + 0.06f * n.Fbm(x / 90.0f, 0.5f, 3));
            water = Mix(water, Hex(0xC9B27A) * (0.8f + 0.2f * n.Fbm(x / 7.0f, y / 7.0f, 2)), floor);
            water = water + Hex(0xCFFFF6) * (std::min(caustic, 1.5f) * (0.45f + 0.35f * floor));
            const float ray = std::pow(std::max(0.0f, n.Get((x - y * 0.35f) / 60.0f, 3.3f)), 2.0f);
            water = water + Hex(0x9FF0FF) * (ray * (1 - depth) * 0.7f);
            img.At(x, y) = water;
        }
    Rng rng(910);
    for (int b = 0; b < 60; ++b) {
        const float x = rng.Range(20, 620), y = rng.Range(20, 420), r = rng.Range(2, 9);
        const Mask ring = Subtract(DiscMask(x, y, r), DiscMask(x, y, r - 1.2f));
        AddMask(img, ring, Hex(0xD8FFFF), 0.6f);
        AddMask(img, DiscMask(x - r * 0.35f, y - r * 0.35f, r * 0.28f), Hex(0xFFFFFF), 0.7f);
    }
    return img;
}

// Neon Truchet tiles: quarter circles that join into endless glowing paths.
Image NeonTruchet() {
    Image img(ScreenW, ScreenH);
    Rng rng(1010);
    constexpr int Tile = 40;
    std::vector<int> flip((ScreenW / Tile) * (ScreenH / Tile));
    for (int& f : flip) f = rng.Below(2);
    Noise n(1011);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const int tx = x / Tile, ty = y / Tile;
            float lx = (x % Tile) + 0.5f, ly = (y % Tile) + 0.5f;
            if (flip[ty * (ScreenW / Tile) + tx]) lx = Tile - lx;
            const float d = std::min(std::fabs(std::hypot(lx, ly) - Tile / 2.0f),
                                     std::fabs(std::hypot(Tile - lx, Tile - ly) - Tile / 2.0f));
            const float core = 1 - Smoothstep(1.2f, 2.6f, d);
            const float halo = std::exp(-d * d / 30.0f);
            const float wave =
                0.5f + 0.5f * std::sin((x + y) * 0.008f + n.Fbm(x / 200.0f, y / 200.0f, 2) * 3);
            const Colour neon = Mix(Hex(0xFF2E9A), Hex(0x20E0FF), wave);
            Colour bg = Mix(Hex(0x0B0630), Hex(0x1D0B3A), y / 480.0f);
            // A faint grid of the tiles themselves.
            const float gx = std::min(x % Tile, Tile - 1 - x % Tile),
                        gy = std::min(y % Tile, Tile - 1 - y % Tile);
            bg = bg + Hex(0x3A2A7A) * (0.35f * (1 - Smoothstep(0.0f, 1.0f, std::min(gx, gy))));
            img.At(x, y) = bg + neon * (halo * 0.8f) + Mix(neon, Colour{1, 1, 1}, 0.6f) * core;
        }
    return img;
}

// Northern lights over snowy hills and a dark forest, under a sky full of stars.
Image Aurora() {
    Image img(ScreenW, ScreenH);
    Noise n(1111);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x)
            img.At(x, y) = Mix(Hex(0x040A24), Hex(0x123A50), y / 480.0f);
    Rng rng(1112);
    for (int s = 0; s < 500; ++s)
        AddGlow(img, rng.Range(0, ScreenW), rng.Range(0, 330),
                std::pow(rng.Uniform(), 5.0f) * 1.6f + 0.35f, Hex(0xE0F0FF), 1.0f);
    // Curtains: each hangs from a folded line; its lower edge is brightest and the light fades
    // upwards from green into violet.
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x)
            img.At(x, y) = img.At(x, y) +
                           Hex(0x10A070) * (0.22f * std::exp(-std::pow((y - 250) / 110.0f, 2.0f)));
    for (int curtain = 0; curtain < 3; ++curtain) {
        const float base = 130 + curtain * 60;
        const Colour low = curtain == 1 ? Hex(0x50FF90) : Hex(0x30F0A8);
        const Colour high = curtain == 2 ? Hex(0xC040FF) : Hex(0x6050FF);
        for (int x = 0; x < ScreenW; ++x) {
            const float line = base + 75 * n.Fbm(x / 230.0f + curtain * 4, curtain * 1.7f, 3) +
                               18 * n.Fbm(x / 45.0f, curtain * 2.3f + 7, 2);
            const float strength =
                std::pow(std::max(0.0f, n.Fbm(x / 110.0f, curtain * 5.1f, 3) + 0.45f), 1.4f);
            for (int y = 0; y < ScreenH; ++y) {
                const float d = line - y;
                if (d < -30 || d > 200) continue;
                float a = d < 0 ? std::exp(-d * d / 70.0f)
                                : std::exp(-d / 55.0f) * (1 + 0.7f * std::exp(-d / 6.0f));
                a *= strength * (0.6f + 0.4f * std::sin(x * 0.3f + n.Get(x / 10.0f, curtain) * 5));
                img.At(x, y) =
                    img.At(x, y) + Mix(low, high, std::clamp(d / 150.0f, 0.0f, 1.0f)) * (a * 1.05f);
            }
        }
    }
    // Far mountains, dark against the glow.
    for (int x = 0; x < ScreenW; ++x) {
        const float ridge = 318 - 55 * std::pow(n.Ridged(x / 170.0f + 3.3f, 1.9f, 5), 1.5f);
        for (int y = std::max(0, static_cast<int>(ridge)); y < ScreenH; ++y) {
            const float edge = std::clamp(ridge + 1 - y, 0.0f, 1.0f);
            const Colour rock =
                Mix(Hex(0x1C3450), Hex(0x0C1A2C), std::clamp((y - ridge) / 60.0f, 0.0f, 1.0f));
            img.At(x, y) = Mix(rock + Hex(0x30FFB0) * 0.04f, img.At(x, y), edge);
        }
    }
    // Snowy hills and pines in front.
    for (int x = 0; x < ScreenW; ++x) {
        const float hill = 360 + 30 * n.Fbm(x / 220.0f, 9.1f, 4);
        for (int y = static_cast<int>(hill); y < ScreenH; ++y) {
            const float shade =
                0.55f + 0.25f * n.Fbm(x / 40.0f, y / 12.0f, 3) + (y - hill) / 600.0f;
            img.At(x, y) = Mix(Hex(0x4A6A90), Hex(0xD0E8FF), shade * 0.85f) + Hex(0x30FFB0) * 0.08f;
        }
    }
    for (int t = 0; t < 38; ++t) {
        const float x = rng.Range(-10, 650);
        const float ground = 360 + 30 * n.Fbm(x / 220.0f, 9.1f, 4) + rng.Range(4, 60);
        const float h = rng.Range(40, 110);
        for (int level = 0; level < 5; ++level) {
            const float top = ground - h + level * h / 6.5f;
            const float half = (level + 1.5f) * h / 16.0f;
            PaintMask(img,
                      PolygonMask({x, top, x + half, top + h / 3.2f, x - half, top + h / 3.2f}),
                      Hex(0x06141E));
        }
        FillRect(img, static_cast<int>(x - 2), static_cast<int>(ground - 8),
                 static_cast<int>(x + 2), static_cast<int>(ground + 2), Hex(0x0A0C10));
    }
    return img;
}

// Desert dunes in evening light, wind ripples on their slopes.
Image Dunes() {
    Image img(ScreenW, ScreenH);
    Noise n(1212);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x)
            img.At(x, y) = Mix(Hex(0x3B6BB0), Hex(0xF7C58A), Smoothstep(0.0f, 0.42f, y / 480.0f));
    AddGlow(img, 150, 150, 26, Hex(0xFFFBE8), 1.6f);
    AddGlow(img, 150, 150, 110, Hex(0xFFCF7A), 0.5f);
    // Dune layers, back to front. A crest line rises gently on the windward side and drops on
    // the lee side; the light comes from the left, so faces that fall to the right are in shade.
    std::vector<float> top(ScreenW);
    for (int layer = 0; layer < 6; ++layer) {
        const float base = 215 + layer * 45;
        const float amplitude = 24 + layer * 10;
        const float wavelength = 230 + layer * 70;
        for (int x = 0; x < ScreenW; ++x) {
            const float phase =
                x / wavelength + layer * 0.37f + 0.2f * n.Fbm(x / 300.0f, layer * 2.0f, 3);
            const float saw = Fract(phase);
            const float profile =
                saw < 0.75f ? Smoothstep(0.0f, 0.75f, saw) : 1 - Smoothstep(0.75f, 1.0f, saw);
            top[x] = base - amplitude * profile;
        }
        const float fade = layer / 5.0f;
        for (int x = 0; x < ScreenW; ++x) {
            const float slope = top[std::min(x + 2, ScreenW - 1)] - top[std::max(x - 2, 0)];
            const float light = std::clamp(0.55f - slope * 0.25f, 0.0f, 1.0f);
            for (int y = std::max(0, static_cast<int>(top[x])); y < ScreenH; ++y) {
                const float below = y - top[x];
                const float face = std::exp(-below / (18 + layer * 6));
                const float shade = Mix(Colour{0.62f, 0, 0}, Colour{light, 0, 0}, face).r;
                Colour sand = Mix(Hex(0x8A4628), Hex(0xF8C07A),
                                  shade * (0.85f + 0.15f * fade) + 0.15f * fade);
                const float ripple = std::sin((x * 0.12f + y * 0.9f) * (1 + layer * 0.15f) +
                                              n.Fbm(x / 50.0f, y / 50.0f, 3) * 6);
                sand = sand * (0.93f + 0.07f * ripple);
                // The far dunes fade into the warm haze of the sky.
                sand = Mix(sand, Hex(0xF2C89A), (1 - fade) * 0.3f);
                const float edge = std::clamp(top[x] + 1 - y, 0.0f, 1.0f);
                img.At(x, y) = Mix(sand, img.At(x, y), edge);
            }
        }
    }
    return img;
}

// A kaleidoscope: twelve mirrored sectors of layered noise in jewel colours.
Image Kaleidoscope() {
    Image img(ScreenW, ScreenH);
    Noise n(1313);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float dx = x - 320.0f, dy = y - 240.0f;
            const float r = std::hypot(dx, dy);
            float a = std::atan2(dy, dx);
            const float sector = 2 * Pi / 12;
            a = std::fmod(a + 2 * Pi, sector);
            if (a > sector / 2) a = sector - a;
            const float u = r * std::cos(a) / 90.0f, v = r * std::sin(a) / 90.0f;
            const float f = n.Fbm(u + n.Fbm(u, v, 3), v + 1.7f * n.Fbm(v + 4, u, 3), 5);
            const float rings = std::sin(r * 0.09f - f * 4);
            Colour c = CosinePalette(f * 0.9f + r / 900.0f, {0.5f, 0.4f, 0.5f}, {0.5f, 0.5f, 0.45f},
                                     {1.0f, 1.0f, 1.0f}, {0.8f, 0.1f, 0.45f});
            c = c * (0.65f + 0.35f * rings) +
                Colour{1, 0.9f, 0.7f} * (0.3f * Smoothstep(0.92f, 1.0f, rings));
            c = c * (1.15f - 0.35f * Smoothstep(150.0f, 420.0f, r));
            img.At(x, y) = c;
        }
    AddGlow(img, 320, 240, 40, Hex(0xFFF0C0), 0.6f);
    return img;
}

// A city at night: towers with lit windows against a dusky sky, mirrored in the harbour.
Image CityNight() {
    Image img(ScreenW, ScreenH);
    Noise n(1414);
    Rng rng(1415);
    const int waterline = 360;
    for (int y = 0; y < waterline; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float t = y / static_cast<float>(waterline);
            Colour sky = Mix(Hex(0x0A0A2E), Hex(0x5A2A6A), Smoothstep(0.0f, 0.75f, t));
            sky = Mix(sky, Hex(0xF08A5A), Smoothstep(0.7f, 1.0f, t));
            sky = sky + Hex(0x40305A) * (0.3f * std::max(0.0f, n.Fbm(x / 160.0f, y / 40.0f, 4)));
            img.At(x, y) = sky;
        }
    for (int s = 0; s < 160; ++s)
        AddGlow(img, rng.Range(0, ScreenW), rng.Range(0, 160), 0.5f + rng.Uniform() * 0.5f,
                Hex(0xFFFFFF), 0.8f);
    AddGlow(img, 520, 70, 22, Hex(0xFFF8E0), 1.5f);
    // Two rows of towers; the front row taller, darker and with more lights.
    for (int row = 0; row < 2; ++row) {
        float x = -rng.Range(0, 30);
        while (x < ScreenW) {
            const float w = rng.Range(26, 64) - row * 4;
            const float h = rng.Range(60, 170) + row * 50;
            const int left = static_cast<int>(x), right = static_cast<int>(x + w);
            const int top = static_cast<int>(waterline - h + row * 6);
            const Colour body = row == 0 ? Hex(0x2A2450) : Hex(0x141228);
            FillRect(img, left, top, right, waterline, body);
            // Windows in a grid, some lit in warm or cool light.
            const int cols = static_cast<int>(w / 8), rows = static_cast<int>(h / 11);
            for (int j = 0; j < rows; ++j)
                for (int i = 0; i < cols; ++i) {
                    if (rng.Uniform() > (row == 0 ? 0.35f : 0.5f)) continue;
                    const int wx = left + 3 + i * 8, wy = top + 5 + j * 11;
                    const Colour light = rng.Uniform() < 0.75f ? Hex(0xFFD27A) : Hex(0x9AD8FF);
                    FillRect(img, wx, wy, wx + 4, wy + 6, light * rng.Range(0.6f, 1.1f));
                }
            if (rng.Uniform() < 0.3f)
                AddGlow(img, left + w / 2, top - 4, 2.5f, Hex(0xFF3030), 1.2f);
            x += w + rng.Range(2, 14);
        }
    }
    for (int y = waterline; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            const float depth = (y - waterline) / 120.0f;
            const float wobble = n.Fbm(x / 25.0f, y * y / 900.0f, 3) * (4 + 14 * depth);
            const int my = std::clamp(2 * waterline - y, 0, waterline - 1);
            const int mx = std::clamp(x + static_cast<int>(wobble), 0, ScreenW - 1);
            img.At(x, y) = img.At(mx, my) * (0.7f - 0.3f * depth) + Hex(0x0A1030) * 0.3f;
        }
    return img;
}

Image Draw(int number) {
    switch (number) {
    case 1: return WarpedMarble();
    case 2: return MountainLake();
    case 3: return StainedGlass();
    case 4: return Nebula();
    case 5: return Coral();
    case 6: return Underwater();
    case 7: return Plasma();
    case 8: return Dunes();
    case 9: return Flame();
    case 10: return Aurora();
    case 11: return NeonTruchet();
    case 12: return Kaleidoscope();
    case 13: return Mandelbrot();
    default: return CityNight();
    }
}

}  // namespace

Image MakeLevelPicture(int number) {
    Image img = Draw(number);
    // Open ground is black: claimed ground should never look like it, so the deepest shadows of
    // a picture are lifted towards a dusky blue.
    for (Colour& c : img.pixels) {
        const float lack = 0.14f - Luminance(c);
        if (lack > 0) c = c + Colour{0.55f, 0.55f, 1.0f} * (lack * 0.7f);
    }
    return img;
}
