// The game's three pieces of music.
#pragma once

#include "song_builder.h"

// Title and menu: calm and inviting, in C major at 92 beats a minute.
SongPlan TitleSong();
// During play: driving and steady, in A minor at 128 beats a minute, with a breather halfway.
SongPlan GameSong();
// The farewell slideshow: warm and unhurried, in F major at 80 beats a minute.
SongPlan FarewellSong();
