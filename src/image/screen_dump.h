// Screen dumps: what a screen-sized surface shows, written as a picture file.
#pragma once

#include "display/surface.h"

int WriteScreenDump(const char* name, Surface* source, const Palette* palette);
