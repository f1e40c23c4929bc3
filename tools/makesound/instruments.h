// The synthesised 8-bit instruments of the music modules. Tonal instruments repeat a whole number
// of samples per cycle so that their loops join without a click; drums are made for the note they
// are played at, since a module plays a sample faster or slower with the note.
#pragma once

#include "module_writer.h"

// The notes the drums are played at, and the rate each was made for.
constexpr int kKickNote = 12;   // C-2
constexpr int kSnareNote = 24;  // C-3
constexpr int kHatNote = 33;
constexpr int kCrashNote = 33;

// Sample rate of an Amiga module voice playing a note.
double NoteRate(int note);

// 64 samples a cycle: C-1 sounds at 65 Hz. A plucked attack that settles into a warm sustain.
ModuleSample MakeBass();
// 32 samples a cycle: C-2 sounds at 259 Hz. A pulse wave whose width breathes slowly.
ModuleSample MakePulseLead();
// 32 samples a cycle. A soft, round tone like an ocarina.
ModuleSample MakeSoftLead();
// 64 samples a cycle. Three slightly detuned saws, softened, fading in.
ModuleSample MakePad();
// 64 samples a cycle. A plucked string that dies away; plays once.
ModuleSample MakePluck();
ModuleSample MakeKick();
ModuleSample MakeSnare();
ModuleSample MakeHat();
ModuleSample MakeCrash();
