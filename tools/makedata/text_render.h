// Text set with FreeType from the DejaVu fonts that Debian installs, as coverage masks.
#pragma once

#include <string>

#include "raster.h"

enum class Typeface { Sans, SansBold, SansCondensedBold, SerifBold, SerifBoldItalic, MonoBold };

// The text (UTF-8) at the given pixel size, one line. The mask is as wide as the inked glyphs
// plus their advances; its top is the font's ascender, so lines of one size line up. Throws
// std::runtime_error when the font cannot be read.
Mask SetText(const std::string& text, Typeface face, int pixelSize, float letterSpacing = 0.0f);

// The mask moved so that its horizontal centre is at cx and its top at top.
Mask CentredAt(Mask mask, int cx, int top);
