#include <vector>

#include "image/screen_dump.h"

bool WritePcx(FILE* file, const uint8_t* indices, const Palette& palette) {
    const int width = ScreenWidth, height = ScreenHeight;
    std::vector<uint8_t> out(128, 0);
    auto put16 = [&out](size_t at, int value) {
        out[at] = static_cast<uint8_t>(value);
        out[at + 1] = static_cast<uint8_t>(value >> 8);
    };
    out[0] = 10;  // manufacturer
    out[1] = 5;   // version
    out[2] = 1;   // run-length encoding
    out[3] = 8;   // bits per pixel
    put16(8, width - 1);
    put16(10, height - 1);
    put16(12, 320);
    put16(14, 200);
    out[65] = 1;  // planes
    put16(66, width);
    put16(68, 1);
    put16(70, height);
    put16(72, width);

    // One stream over all rows: runs of up to 63 equal bytes; a single byte goes out bare unless
    // its two top bits would make it look like a count.
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count;) {
        const uint8_t c = indices[i];
        size_t run = 1;
        while (i + run < count && run < 63 && indices[i + run] == c) ++run;
        if (run > 1 || c >= 0xC0) out.push_back(static_cast<uint8_t>(0xC0 | run));
        out.push_back(c);
        i += run;
    }
    out.push_back(12);
    for (uint8_t component : palette.Bytes) out.push_back(static_cast<uint8_t>(component << 2));
    return std::fwrite(out.data(), 1, out.size(), file) == out.size();
}
