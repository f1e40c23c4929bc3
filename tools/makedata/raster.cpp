#include "raster.h"

#include <algorithm>
#include <cmath>

Colour Clamp01(Colour c) {
    return {std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f)};
}

Colour Hex(uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f};
}

Colour CosinePalette(float t, Colour a, Colour b, Colour c, Colour d) {
    const float tau = 6.2831853f;
    return {a.r + b.r * std::cos(tau * (c.r * t + d.r)),
            a.g + b.g * std::cos(tau * (c.g * t + d.g)),
            a.b + b.b * std::cos(tau * (c.b * t + d.b))};
}

float Smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float Luminance(Colour c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

Image::Image(int w, int h, Colour fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

Colour Image::Sample(float x, float y) const {
    x = std::clamp(x, 0.0f, static_cast<float>(width - 1));
    y = std::clamp(y, 0.0f, static_cast<float>(height - 1));
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, width - 1);
    const int y1 = std::min(y0 + 1, height - 1);
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    return Mix(Mix(At(x0, y0), At(x1, y0), fx), Mix(At(x0, y1), At(x1, y1), fx), fy);
}

float Mask::Get(int x, int y) const {
    x -= left;
    y -= top;
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return At(x, y);
}

Mask Pad(const Mask& mask, int margin) {
    Mask out(mask.width + 2 * margin, mask.height + 2 * margin);
    out.left = mask.left - margin;
    out.top = mask.top - margin;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) out.At(x + margin, y + margin) = mask.At(x, y);
    return out;
}

namespace {

// One box pass along rows (step 1) or columns (step width), edges treated as empty.
void BoxPass(std::vector<float>& values, int count, int lines, size_t step, size_t lineStep,
             int radius) {
    std::vector<float> line(static_cast<size_t>(count));
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int l = 0; l < lines; ++l) {
        const size_t base = static_cast<size_t>(l) * lineStep;
        for (int i = 0; i < count; ++i) line[i] = values[base + static_cast<size_t>(i) * step];
        float sum = 0.0f;
        for (int i = 0; i <= radius && i < count; ++i) sum += line[i];
        for (int i = 0; i < count; ++i) {
            values[base + static_cast<size_t>(i) * step] = sum * scale;
            const int add = i + radius + 1;
            const int drop = i - radius;
            if (add < count) sum += line[add];
            if (drop >= 0) sum -= line[drop];
        }
    }
}

}  // namespace

Mask Blur(const Mask& mask, int radius) {
    Mask out = mask;
    if (radius <= 0) return out;
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(out.values, out.width, out.height, 1, static_cast<size_t>(out.width), radius);
        BoxPass(out.values, out.height, out.width, static_cast<size_t>(out.width), 1, radius);
    }
    return out;
}

Mask Dilate(const Mask& mask, float radius) {
    Mask out = mask;
    const int r = static_cast<int>(std::ceil(radius));
    std::vector<std::pair<int, int>> offsets;
    std::vector<float> weights;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            const float w = std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
            if (w > 0.0f) {
                offsets.push_back({dx, dy});
                weights.push_back(w);
            }
        }
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            float best = 0.0f;
            for (size_t i = 0; i < offsets.size(); ++i) {
                const int sx = x + offsets[i].first;
                const int sy = y + offsets[i].second;
                if (sx < 0 || sy < 0 || sx >= mask.width || sy >= mask.height) continue;
                best = std::max(best, mask.At(sx, sy) * weights[i]);
            }
            out.At(x, y) = best;
        }
    return out;
}

Mask Subtract(const Mask& a, const Mask& b) {
    Mask out = a;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            out.At(x, y) = std::max(0.0f, a.At(x, y) - b.Get(x + a.left, y + a.top));
    return out;
}

Mask Shifted(Mask mask, int dx, int dy) {
    mask.left += dx;
    mask.top += dy;
    return mask;
}

namespace {

template <typename ColourAt>
void Paint(Image& image, const Mask& mask, float opacity, bool additive, ColourAt colourAt) {
    const int x0 = std::max(0, mask.left);
    const int y0 = std::max(0, mask.top);
    const int x1 = std::min(image.width, mask.left + mask.width);
    const int y1 = std::min(image.height, mask.top + mask.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float a = mask.At(x - mask.left, y - mask.top) * opacity;
            if (a <= 0.0f) continue;
            Colour& p = image.At(x, y);
            const Colour c = colourAt(x - mask.left, y - mask.top);
            p = additive ? p + c * a : Mix(p, c, std::min(a, 1.0f));
        }
}

}  // namespace

void PaintMask(Image& image, const Mask& mask, Colour colour, float opacity) {
    Paint(image, mask, opacity, false, [&](int, int) { return colour; });
}

void PaintMaskGradient(Image& image, const Mask& mask, Colour top, Colour bottom, float opacity) {
    const float span = static_cast<float>(std::max(1, mask.height - 1));
    Paint(image, mask, opacity, false,
          [&](int, int y) { return Mix(top, bottom, static_cast<float>(y) / span); });
}

void AddMask(Image& image, const Mask& mask, Colour colour, float strength) {
    Paint(image, mask, strength, true, [&](int, int) { return colour; });
}

void FillRect(Image& image, int left, int top, int right, int bottom, Colour colour,
              float opacity) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width);
    bottom = std::min(bottom, image.height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) image.At(x, y) = Mix(image.At(x, y), colour, opacity);
}

namespace {

// A mask over the box, each pixel's coverage from a signed distance (negative inside).
template <typename Distance>
Mask FromDistance(int left, int top, int right, int bottom, Distance distance) {
    Mask out(std::max(0, right - left), std::max(0, bottom - top));
    out.left = left;
    out.top = top;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const float d =
                distance(static_cast<float>(x + left) + 0.5f, static_cast<float>(y + top) + 0.5f);
            out.At(x, y) = std::clamp(0.5f - d, 0.0f, 1.0f);
        }
    return out;
}

}  // namespace

Mask RoundedRectMask(int left, int top, int right, int bottom, float radius) {
    const float cx = static_cast<float>(left + right) * 0.5f;
    const float cy = static_cast<float>(top + bottom) * 0.5f;
    const float hx = static_cast<float>(right - left) * 0.5f - radius;
    const float hy = static_cast<float>(bottom - top) * 0.5f - radius;
    return FromDistance(left, top, right, bottom, [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx;
        const float qy = std::abs(y - cy) - hy;
        const float ox = std::max(qx, 0.0f);
        const float oy = std::max(qy, 0.0f);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
    });
}

Mask DiscMask(float cx, float cy, float radius) {
    const int l = static_cast<int>(std::floor(cx - radius - 1));
    const int t = static_cast<int>(std::floor(cy - radius - 1));
    const int r = static_cast<int>(std::ceil(cx + radius + 1));
    const int b = static_cast<int>(std::ceil(cy + radius + 1));
    return FromDistance(l, t, r, b, [=](float x, float y) {
        return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - radius;
    });
}

Mask LineMask(float x0, float y0, float x1, float y1, float thickness) {
    const float h = thickness * 0.5f;
    const int l = static_cast<int>(std::floor(std::min(x0, x1) - h - 1));
    const int t = static_cast<int>(std::floor(std::min(y0, y1) - h - 1));
    const int r = static_cast<int>(std::ceil(std::max(x0, x1) + h + 1));
    const int b = static_cast<int>(std::ceil(std::max(y0, y1) + h + 1));
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    return FromDistance(l, t, r, b, [=](float x, float y) {
        const float s = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f);
        const float ex = x - (x0 + s * dx);
        const float ey = y - (y0 + s * dy);
        return std::sqrt(ex * ex + ey * ey) - h;
    });
}

Mask PolygonMask(const std::vector<float>& xy) {
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        minX = std::min(minX, xy[i]);
        maxX = std::max(maxX, xy[i]);
        minY = std::min(minY, xy[i + 1]);
        maxY = std::max(maxY, xy[i + 1]);
    }
    // Four by four samples per pixel with the even-odd rule.
    const int l = static_cast<int>(std::floor(minX));
    const int t = static_cast<int>(std::floor(minY));
    Mask out(static_cast<int>(std::ceil(maxX)) - l + 1, static_cast<int>(std::ceil(maxY)) - t + 1);
    out.left = l;
    out.top = t;
    const size_t n = xy.size() / 2;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const float px =
                        static_cast<float>(x + l) + (static_cast<float>(sx) + 0.5f) / 4;
                    const float py =
                        static_cast<float>(y + t) + (static_cast<float>(sy) + 0.5f) / 4;
                    bool in = false;
                    for (size_t i = 0, j = n - 1; i < n; j = i++) {
                        const float xi = xy[2 * i], yi = xy[2 * i + 1];
                        const float xj = xy[2 * j], yj = xy[2 * j + 1];
                        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                            in = !in;
                    }
                    inside += in ? 1 : 0;
                }
            out.At(x, y) = static_cast<float>(inside) / 16.0f;
        }
    return out;
}

void AddGlow(Image& image, float cx, float cy, float radius, Colour colour, float strength) {
    const int x0 = std::max(0, static_cast<int>(cx - radius * 3));
    const int x1 = std::min(image.width, static_cast<int>(cx + radius * 3) + 1);
    const int y0 = std::max(0, static_cast<int>(cy - radius * 3));
    const int y1 = std::min(image.height, static_cast<int>(cy + radius * 3) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float dx = (static_cast<float>(x) - cx) / radius;
            const float dy = (static_cast<float>(y) - cy) / radius;
            const float d2 = dx * dx + dy * dy;
            if (d2 > 9.0f) continue;
            image.At(x, y) = image.At(x, y) + colour * (strength * std::exp(-d2 * 1.5f));
        }
}

void FillVertical(Image& image, Colour top, Colour bottom) {
    for (int y = 0; y < image.height; ++y) {
        const Colour c =
            Mix(top, bottom, static_cast<float>(y) / static_cast<float>(image.height - 1));
        for (int x = 0; x < image.width; ++x) image.At(x, y) = c;
    }
}

void Vignette(Image& image, float strength) {
    const float cx = static_cast<float>(image.width) * 0.5f;
    const float cy = static_cast<float>(image.height) * 0.5f;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const float dx = (static_cast<float>(x) - cx) / cx;
            const float dy = (static_cast<float>(y) - cy) / cy;
            const float d = (dx * dx + dy * dy) * 0.5f;
            image.At(x, y) = image.At(x, y) * (1.0f - strength * d * d);
        }
}

std::vector<uint8_t> ToRgb8(const Image& image) {
    std::vector<uint8_t> out(image.pixels.size() * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const Colour c = Clamp01(image.pixels[i]);
        out[3 * i] = static_cast<uint8_t>(std::lround(c.r * 255.0f));
        out[3 * i + 1] = static_cast<uint8_t>(std::lround(c.g * 255.0f));
        out[3 * i + 2] = static_cast<uint8_t>(std::lround(c.b * 255.0f));
    }
    return out;
}
