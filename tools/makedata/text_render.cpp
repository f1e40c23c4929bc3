#include "text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

// Debian's fonts-dejavu-core puts them here.
const char* const FontFolder = "/usr/share/fonts/truetype/dejavu";

const char* FileOf(Typeface face) {
    switch (face) {
    case Typeface::Sans: return "DejaVuSans.ttf";
    case Typeface::SansBold: return "DejaVuSans-Bold.ttf";
    case Typeface::SansCondensedBold: return "DejaVuSansCondensed-Bold.ttf";
    case Typeface::SerifBold: return "DejaVuSerif-Bold.ttf";
    case Typeface::SerifBoldItalic: return "DejaVuSerif-BoldItalic.ttf";
    case Typeface::MonoBold: return "DejaVuSansMono-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

// FreeType faces are not safe to share between threads; each call opens its own library and
// face, which costs little next to the pictures themselves.
struct FaceHandle {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FaceHandle() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t code = extra == 0   ? c
                        : extra == 1 ? (c & 0x1F)
                        : extra == 2 ? (c & 0x0F)
                                     : (c & 7);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        out.push_back(code);
    }
    return out;
}

}  // namespace

Mask SetText(const std::string& text, Typeface typeface, int pixelSize, float letterSpacing) {
    FaceHandle h;
    if (FT_Init_FreeType(&h.library) != 0) throw std::runtime_error("FreeType did not start");
    const std::string path = std::string(FontFolder) + "/" + FileOf(typeface);
    if (FT_New_Face(h.library, path.c_str(), 0, &h.face) != 0)
        throw std::runtime_error("cannot read font " + path);
    FT_Set_Pixel_Sizes(h.face, 0, static_cast<FT_UInt>(pixelSize));
    const int ascender = static_cast<int>(h.face->size->metrics.ascender >> 6);
    const int descender = static_cast<int>(-(h.face->size->metrics.descender >> 6));

    struct Placed {
        std::vector<float> coverage;
        int width, rows, x, y;
    };
    std::vector<Placed> glyphs;
    float pen = 0.0f;
    int minX = 0, maxX = 0;
    FT_UInt previous = 0;
    for (char32_t code : DecodeUtf8(text)) {
        const FT_UInt index = FT_Get_Char_Index(h.face, code);
        if (previous != 0 && index != 0 && FT_HAS_KERNING(h.face)) {
            FT_Vector kern;
            FT_Get_Kerning(h.face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<float>(kern.x) / 64.0f;
        }
        if (FT_Load_Glyph(h.face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
        const FT_GlyphSlot slot = h.face->glyph;
        Placed p;
        p.width = static_cast<int>(slot->bitmap.width);
        p.rows = static_cast<int>(slot->bitmap.rows);
        p.x = static_cast<int>(std::lround(pen)) + slot->bitmap_left;
        p.y = ascender - slot->bitmap_top;
        p.coverage.resize(static_cast<size_t>(p.width) * p.rows);
        for (int y = 0; y < p.rows; ++y)
            for (int x = 0; x < p.width; ++x)
                p.coverage[static_cast<size_t>(y) * p.width + x] =
                    static_cast<float>(slot->bitmap.buffer[y * slot->bitmap.pitch + x]) / 255.0f;
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x + p.width);
        glyphs.push_back(std::move(p));
        pen += static_cast<float>(slot->advance.x) / 64.0f + letterSpacing;
        previous = index;
    }
    maxX = std::max(maxX, static_cast<int>(std::ceil(pen - letterSpacing)));
    int minY = 0, maxY = ascender + descender;
    for (const Placed& p : glyphs) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y + p.rows);
    }
    Mask mask(maxX - minX, maxY - minY);
    mask.left = minX;
    mask.top = minY;
    for (const Placed& p : glyphs)
        for (int y = 0; y < p.rows; ++y)
            for (int x = 0; x < p.width; ++x) {
                float& v = mask.At(p.x + x - minX, p.y + y - minY);
                v = std::min(1.0f, v + p.coverage[static_cast<size_t>(y) * p.width + x]);
            }
    // Positions are relative to the pen's start on the ascender line; callers place the mask.
    return mask;
}

Mask CentredAt(Mask mask, int cx, int top) {
    mask.left = cx - mask.width / 2;
    mask.top += top;
    return mask;
}
