#include "quantiser.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int Bins = 32;  // 5 bits a channel for the histogram

struct Bin {
    double count = 0, r = 0, g = 0, b = 0;
};

struct Box {
    std::vector<int> bins;  // indices into the histogram
    double weight = 0;
    double error = 0;  // weighted squared deviation: the box with most is split next
};

void Measure(Box& box, const std::vector<Bin>& hist) {
    double w = 0, r = 0, g = 0, b = 0;
    for (int i : box.bins) {
        w += hist[i].count;
        r += hist[i].r;
        g += hist[i].g;
        b += hist[i].b;
    }
    box.weight = w;
    box.error = 0;
    if (w <= 0) return;
    const double mr = r / w, mg = g / w, mb = b / w;
    for (int i : box.bins) {
        const Bin& bin = hist[i];
        const double dr = bin.r / bin.count - mr, dg = bin.g / bin.count - mg,
                     db = bin.b / bin.count - mb;
        box.error += bin.count * (dr * dr + dg * dg + db * db);
    }
}

// Splits along the channel of widest weighted spread, at the weighted median.
std::pair<Box, Box> Split(const Box& box, const std::vector<Bin>& hist) {
    std::array<double, 3> low = {1e9, 1e9, 1e9}, high = {-1e9, -1e9, -1e9};
    for (int i : box.bins) {
        const double c[3] = {hist[i].r / hist[i].count, hist[i].g / hist[i].count,
                             hist[i].b / hist[i].count};
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], c[k]);
            high[k] = std::max(high[k], c[k]);
        }
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (high[k] - low[k] > high[axis] - low[axis]) axis = k;
    std::vector<int> sorted = box.bins;
    auto value = [&](int i) {
        const Bin& b = hist[i];
        return (axis == 0 ? b.r : axis == 1 ? b.g : b.b) / b.count;
    };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](int a, int b) { return value(a) < value(b); });
    double half = 0, total = box.weight / 2;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < sorted.size(); ++i) {
        half += hist[sorted[i]].count;
        cut = i + 1;
        if (half >= total) break;
    }
    Box a, b;
    a.bins.assign(sorted.begin(), sorted.begin() + static_cast<long>(cut));
    b.bins.assign(sorted.begin() + static_cast<long>(cut), sorted.end());
    Measure(a, hist);
    Measure(b, hist);
    return {a, b};
}

// A 6-bit entry that is not 0 in either 16-bit layout: red and blue lose their low bit, and the
// 555 layout's green too, so one component must reach 2.
void KeepVisible(uint8_t* entry) {
    if (entry[0] < 2 && entry[1] < 2 && entry[2] < 2) {
        entry[0] = std::max<uint8_t>(entry[0], 2);
        entry[1] = std::max<uint8_t>(entry[1], 2);
        entry[2] = std::max<uint8_t>(entry[2], 2);
    }
}

uint8_t To6(double v255) {
    return static_cast<uint8_t>(std::clamp(std::lround(v255 * 63.0 / 255.0), 0L, 63L));
}

}  // namespace

IndexedPicture Quantise(const Image& image, bool dither) {
    IndexedPicture out;
    out.width = image.width;
    out.height = image.height;
    const std::vector<uint8_t> rgb = ToRgb8(image);
    const size_t count = image.pixels.size();
    auto isBlack = [&](size_t i) {
        return rgb[3 * i] == 0 && rgb[3 * i + 1] == 0 && rgb[3 * i + 2] == 0;
    };

    std::vector<Bin> hist(Bins * Bins * Bins);
    for (size_t i = 0; i < count; ++i) {
        if (isBlack(i)) continue;
        const int r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
        Bin& bin = hist[(r >> 3) * Bins * Bins + (g >> 3) * Bins + (b >> 3)];
        bin.count += 1;
        bin.r += r;
        bin.g += g;
        bin.b += b;
    }
    Box all;
    for (int i = 0; i < Bins * Bins * Bins; ++i)
        if (hist[i].count > 0) all.bins.push_back(i);
    Measure(all, hist);

    std::vector<Box> boxes;
    if (!all.bins.empty()) boxes.push_back(all);
    while (boxes.size() < 255) {
        size_t worst = 0;
        for (size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].error > boxes[worst].error) worst = i;
        if (boxes.empty() || boxes[worst].bins.size() < 2) break;
        auto [a, b] = Split(boxes[worst], hist);
        boxes[worst] = a;
        boxes.push_back(b);
    }

    // Palette: entry 0 black, then the boxes' means, refined by a few rounds of k-means.
    std::vector<std::array<double, 3>> centres;
    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0;
        for (int i : box.bins) {
            r += hist[i].r;
            g += hist[i].g;
            b += hist[i].b;
        }
        centres.push_back({r / box.weight, g / box.weight, b / box.weight});
    }
    for (int round = 0; round < 4 && !centres.empty(); ++round) {
        std::vector<std::array<double, 4>> sums(centres.size(), {0, 0, 0, 0});
        for (int i : all.bins) {
            const Bin& bin = hist[i];
            const double r = bin.r / bin.count, g = bin.g / bin.count, b = bin.b / bin.count;
            size_t best = 0;
            double bestD = 1e18;
            for (size_t c = 0; c < centres.size(); ++c) {
                const double dr = r - centres[c][0], dg = g - centres[c][1], db = b - centres[c][2];
                const double d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
                if (d < bestD) {
                    bestD = d;
                    best = c;
                }
            }
            sums[best][0] += bin.r;
            sums[best][1] += bin.g;
            sums[best][2] += bin.b;
            sums[best][3] += bin.count;
        }
        for (size_t c = 0; c < centres.size(); ++c)
            if (sums[c][3] > 0)
                centres[c] = {sums[c][0] / sums[c][3], sums[c][1] / sums[c][3],
                              sums[c][2] / sums[c][3]};
    }
    const int entries = 1 + static_cast<int>(centres.size());
    for (size_t c = 0; c < centres.size(); ++c) {
        uint8_t* e = out.palette + 3 * (c + 1);
        for (int k = 0; k < 3; ++k) e[k] = To6(centres[c][k]);
        KeepVisible(e);
    }

    // Nearest entry (never 0) for a colour, remembered per 6-bit colour.
    std::vector<int16_t> nearest(64 * 64 * 64, -1);
    auto lookup = [&](int r, int g, int b) {
        const int r6 = std::clamp(r, 0, 255) >> 2, g6 = std::clamp(g, 0, 255) >> 2,
                  b6 = std::clamp(b, 0, 255) >> 2;
        int16_t& cached = nearest[(r6 << 12) | (g6 << 6) | b6];
        if (cached < 0) {
            int best = 1;
            int bestD = 1 << 30;
            for (int e = 1; e < entries; ++e) {
                const int dr = r6 - out.palette[3 * e], dg = g6 - out.palette[3 * e + 1],
                          db = b6 - out.palette[3 * e + 2];
                const int d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
                if (d < bestD) {
                    bestD = d;
                    best = e;
                }
            }
            cached = static_cast<int16_t>(best);
        }
        return static_cast<uint8_t>(cached);
    };

    out.indices.assign(count, 0);
    const int w = image.width;
    std::vector<float> errNow(static_cast<size_t>(w + 2) * 3, 0.0f), errNext = errNow;
    for (int y = 0; y < image.height; ++y) {
        std::fill(errNext.begin(), errNext.end(), 0.0f);
        // Serpentine order keeps the diffusion from drawing diagonal streaks.
        const bool reverse = (y & 1) != 0;
        for (int step = 0; step < w; ++step) {
            const int x = reverse ? w - 1 - step : step;
            const size_t i = static_cast<size_t>(y) * w + x;
            if (isBlack(i) || entries == 1) continue;
            float c[3];
            for (int k = 0; k < 3; ++k)
                c[k] = static_cast<float>(rgb[3 * i + k]) + (dither ? errNow[(x + 1) * 3 + k] : 0);
            const uint8_t e =
                lookup(static_cast<int>(std::lround(c[0])), static_cast<int>(std::lround(c[1])),
                       static_cast<int>(std::lround(c[2])));
            out.indices[i] = e;
            if (!dither) continue;
            const int dir = reverse ? -1 : 1;
            for (int k = 0; k < 3; ++k) {
                const float actual = static_cast<float>(out.palette[3 * e + k]) * 255.0f / 63.0f;
                const float err = std::clamp(c[k] - actual, -48.0f, 48.0f);
                auto spread = [&](std::vector<float>& row, int nx, float part) {
                    if (nx < 0 || nx >= w) return;
                    const size_t ni = static_cast<size_t>(&row == &errNow ? y : y + 1) * w + nx;
                    if (ni < count && isBlack(ni)) return;
                    row[(nx + 1) * 3 + k] += err * part;
                };
                spread(errNow, x + dir, 7.0f / 16);
                spread(errNext, x - dir, 3.0f / 16);
                spread(errNext, x, 5.0f / 16);
                spread(errNext, x + dir, 1.0f / 16);
            }
        }
        std::swap(errNow, errNext);
    }
    return out;
}
