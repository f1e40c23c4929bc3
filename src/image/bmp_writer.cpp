#include <vector>

#include "image/screen_dump.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

bool WriteBmp(FILE* file, const uint16_t* pixels) {
    const auto width = static_cast<uint32_t>(ScreenWidth);
    const auto height = static_cast<uint32_t>(ScreenHeight);
    // Rows end on 4 bytes, as the format wants; a 640-pixel row needs no padding.
    const uint32_t rowBytes = (width * 2 + 3) & ~3u;
    const uint32_t imageSize = rowBytes * height;
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);  // positive: rows stored bottom-up
    Put16(out, 1);
    Put16(out, 16);
    Put32(out, 0);  // no compression: 16-bit pixels are then 555
    Put32(out, imageSize);
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    for (uint32_t y = height; y-- > 0;) {
        const uint16_t* row = pixels + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            const uint16_t v = row[x];
            // 565 keeps red and blue and drops the lowest green bit.
            Put16(out, GreenBits == 5 ? v
                                      : static_cast<uint16_t>(((v >> 11) & 0x1F) << 10 |
                                                              ((v >> 6) & 0x1F) << 5 | (v & 0x1F)));
        }
        for (uint32_t pad = width * 2; pad < rowBytes; ++pad) out.push_back(0);
    }
    return std::fwrite(out.data(), 1, out.size(), file) == out.size();
}
