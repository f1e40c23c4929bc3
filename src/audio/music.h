// Module music: the title, game and exit modules, one at a time, from a loose file in the folder
// SOUND or from the archive AUDIO.ONE.
#pragma once

#include <cstdint>

#include "platform/module_player.h"

// Nonzero: music is switched off and the start operations do nothing.
extern uint8_t MusicOff;
// The module held, or null.
extern ModuleRecord* CurrentModule;

void InitMusic();
void PlayTitleMusic();
void PlayGameMusic();
void PlayExitMusic();
void StopMusic();
void ShutdownMusic();
