#include "text_effects.h"

#include <cmath>

void DrawLettering(Image& image, const Mask& text, const TextLook& look) {
    const int margin = static_cast<int>(std::ceil(look.outline)) + look.shadow + look.glow * 3 + 2;
    const Mask padded = Pad(text, margin);
    const Mask body = look.outline > 0 ? Dilate(padded, look.outline) : padded;
    if (look.glow > 0) AddMask(image, Blur(body, look.glow), look.glowColour, look.glowStrength);
    if (look.shadow > 0)
        PaintMask(image, Shifted(Blur(body, 1), look.shadow, look.shadow), look.shadowColour,
                  look.shadowOpacity);
    if (look.outline > 0) PaintMask(image, body, look.outlineColour);
    // The face's gradient spans the text's own rows, not the padding.
    PaintMaskGradient(image, text, look.top, look.bottom);
}
