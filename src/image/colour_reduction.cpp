#include <vector>

#include "image/screen_dump.h"

Palette ColourCubePalette() {
    Palette palette{};
    int index = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b, ++index) {
                palette.Bytes[3 * index] = static_cast<uint8_t>(r * 63 / 5);
                palette.Bytes[3 * index + 1] = static_cast<uint8_t>(g * 63 / 6);
                palette.Bytes[3 * index + 2] = static_cast<uint8_t>(b * 63 / 5);
            }
    return palette;
}

void ReduceToPalette(const uint16_t* pixels, size_t count, const Palette& palette,
                     uint8_t* indices) {
    // Every 16-bit value is matched once; the pixels then only look their value up.
    std::vector<uint8_t> nearest(65536);
    for (uint32_t v = 0; v < 65536; ++v) {
        int red, green, blue;  // 6 bits each, as the palette holds them
        if (GreenBits == 6) {
            red = static_cast<int>(v >> 11) << 1 | static_cast<int>(v >> 15);
            green = static_cast<int>(v >> 5) & 63;
            blue = static_cast<int>(v & 31) << 1 | static_cast<int>((v >> 4) & 1);
        } else {
            red = static_cast<int>((v >> 10) & 31) << 1 | static_cast<int>((v >> 14) & 1);
            green = static_cast<int>((v >> 5) & 31) << 1 | static_cast<int>((v >> 9) & 1);
            blue = static_cast<int>(v & 31) << 1 | static_cast<int>((v >> 4) & 1);
        }
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256 && bestDistance > 0; ++i) {
            const int dr = palette.Bytes[3 * i] - red;
            const int dg = palette.Bytes[3 * i + 1] - green;
            const int db = palette.Bytes[3 * i + 2] - blue;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) best = i, bestDistance = distance;
        }
        nearest[v] = static_cast<uint8_t>(best);
    }
    for (size_t i = 0; i < count; ++i) indices[i] = nearest[pixels[i]];
}
