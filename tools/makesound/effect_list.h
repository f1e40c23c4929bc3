// The game's six sound effects, as recipes for the effect synthesiser.
#pragma once

#include <vector>

#include "effect_synth.h"

// In the order the game loads them: CLICK, MONSTER, GEFUELLT, LOS, TOT, LEBEN.
std::vector<EffectRecipe> GameEffects();
