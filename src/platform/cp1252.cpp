#include "platform/cp1252.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80..0x9F; 0 where the code page leaves the byte undefined.
constexpr char16_t HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char byte : text) {
        uint32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            code = HighControls[byte - 0x80];
            if (code == 0) code = 0xFFFD;  // undefined in the code page
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::string ExpandTabs(const std::string& utf8) {
    std::string out;
    size_t column = 0;
    for (char c : utf8) {
        if (c == '\t') {
            do {
                out += ' ';
                ++column;
            } while (column % 8 != 0);
            continue;
        }
        out += c;
        if (c == '\n')
            column = 0;
        else if ((static_cast<unsigned char>(c) & 0xC0) !=
                 0x80)  // continuation bytes take no column
            ++column;
    }
    return out;
}
