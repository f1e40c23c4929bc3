// Monsters.
#pragma once

#include <cstdint>

// Nonzero: monsters are drawn with the cheaper, smaller sprites (0 or 0xFF).
extern uint8_t FastGraphics;
