// Placeholder bodies: the module player arrives with the audio work, which replaces this file.
#include "audio/music.h"

uint8_t MusicOff = 0;

void InitMusic() {}
void PlayTitleMusic() {}
void PlayGameMusic() {}
void PlayExitMusic() {}
void StopMusic() {}
void ShutdownMusic() {}
