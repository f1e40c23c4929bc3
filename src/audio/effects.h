// Sound effects.
#pragma once

#include <cstdint>

// Nonzero: effects are switched off (0 or 0xFF).
extern uint8_t EffectsOff;

int LoadEffects();
void ReleaseEffects();
void PlayClick();
void PlayFilled();
void PlayGo();
void PlayDeath();
void PlayExtraLife();
