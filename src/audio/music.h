// Module music: the title, game and exit modules.
#pragma once

#include <cstdint>

// Nonzero: music is switched off and the start operations do nothing.
extern uint8_t MusicOff;

void InitMusic();
void PlayTitleMusic();
void PlayGameMusic();
void PlayExitMusic();
void StopMusic();
void ShutdownMusic();
