// Placeholder bodies: the effect player arrives with the audio work, which replaces this file.
#include "audio/effects.h"

uint8_t EffectsOff = 0;

int LoadEffects() { return 0; }
void ReleaseEffects() {}
void PlayClick() {}
void PlayFilled() {}
void PlayGo() {}
void PlayDeath() {}
void PlayExtraLife() {}
