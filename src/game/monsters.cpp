// The monsters themselves arrive with the game work; the sprite-size flag is already toggled by F2.
#include "game/monsters.h"

uint8_t FastGraphics = 0;
