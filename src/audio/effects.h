// Sound effects: six short WAV files loaded once at start-up into static sound buffers, each
// rewound and played once on request.
#pragma once

#include <cstdint>

#include "platform/dsound.h"

// Nonzero: effects are switched off (0 or 0xFF).
extern uint8_t EffectsOff;

// The effects in load order; MonsterEffect is loaded but never played.
enum Effect { ClickEffect, MonsterEffect, FilledEffect, GoEffect, DeathEffect, ExtraLifeEffect };
constexpr int EffectCount = 6;

// The sound object and its primary buffer, null until InitSound succeeds; one buffer per effect,
// null while the effect is absent.
extern IDirectSound* SoundObject;
extern IDirectSoundBuffer* PrimaryBuffer;
extern IDirectSoundBuffer* EffectBuffers[EffectCount];

// 1 when there is sound (the six effects were tried), 0 when there is no device.
int LoadEffects();
void ReleaseEffects();
void PlayClick();
void PlayFilled();
void PlayGo();
void PlayDeath();
void PlayExtraLife();

bool InitSound();
// Fills *buffer with a static buffer holding the file's sound, or leaves it null.
void LoadEffect(const char* name, IDirectSoundBuffer** buffer);
void ReleaseSound();
