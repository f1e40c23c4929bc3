#include "songs.h"

SongPlan GameSong() {
    const std::string groove = "K.h.S.h.K.KhS.h.";
    const std::string push = "K.h.S.hKK.h.S.hh";
    const std::string fill = "K.h.S.h.KsSsS.SS";
    const std::string crash = "C.h.S.h.K.KhS.h.";
    const std::string drive = "1.1.8.1.1.1.8.5.";
    const std::string octaves = "1.8.1.8.1.8.5.8.";
    const std::string eighths = "0.1.2.1.3.2.1.2.";
    const std::string alberti = "0212021202120212";
    SongPlan plan;
    plan.title = "trazo - spiel";
    plan.tempo = 128;
    plan.leadSample = kPulseLeadSample;
    plan.harmonySample = kPluckSample;
    plan.leadVolume = 40;
    plan.harmonyVolume = 30;
    plan.bassVolume = 54;
    plan.vibrato = 0x63;
    plan.sections = {
        // 0: the groove alone.
        {.chords = {"Am", "Am", "F", "G"},
         .bass = drive,
         .drums = crash + groove + groove + fill,
         .harmony = eighths,
         .melody = ""},
        // 1: the first verse.
        {.chords = {"Am", "F", "C", "G"},
         .bass = drive,
         .drums = crash + groove + groove + push,
         .harmony = eighths,
         .melody = "A2:2 r:2 A2:2 C3:2 E3:4 D3:2 C3:2  C3:4 A2:4 F2:4 A2:4 "
                   "G2:2 r:2 G2:2 C3:2 E3:4 G3:4  D3:8 B2:4 G2:4"},
        // 2: the verse again, turning to the dominant.
        {.chords = {"Am", "F", "C", "E"},
         .bass = drive,
         .drums = groove + groove + groove + fill,
         .harmony = eighths,
         .melody = "A2:2 r:2 A2:2 C3:2 E3:4 D3:2 C3:2  F3:4 E3:4 C3:4 A2:4 "
                   "G2:2 A2:2 C3:4 E3:4 C3:4  B2:8 G#2:8"},
        // 3: the second theme, from the subdominant.
        {.chords = {"Dm", "Am", "F", "E"},
         .bass = octaves,
         .drums = crash + push + groove + push,
         .harmony = "0.2.1.2.3.2.1.2.",
         .melody = "F3:6 E3:2 D3:4 A2:4  C3:6 B2:2 A2:4 E2:4  F2:2 A2:2 C3:4 F3:4 E3:4 "
                   "E3:8 D3:4 B2:4"},
        // 4: the second theme climbing higher.
        {.chords = {"Dm", "Am", "F", "E"},
         .bass = octaves,
         .drums = groove + push + groove + fill,
         .harmony = "0.2.1.2.3.2.1.2.",
         .melody = "D3:2 E3:2 F3:4 A3:4 F3:4  E3:6 C3:2 A2:8  A2:2 C3:2 F3:4 E3:4 C3:4 "
                   "B2:4 G#2:4 E2:8"},
        // 5: a breather: no tune, no snare, a pad.
        {.chords = {"Am", "Am", "F", "G"},
         .bass = "1.......1...5...",
         .drums = "K...h...K...h.h.K...h...K...h.h.K...h...K...h.h.K...h...K.s.s.ss",
         .harmony = "0.......2.......",
         .melody = "",
         .harmonySample = kPadSample},
        // 6: the chorus: long notes over running harmony.
        {.chords = {"F", "G", "Em", "Am"},
         .bass = drive,
         .drums = crash + groove + groove + push,
         .harmony = alberti,
         .melody = "C3:8 A2:4 C3:4  D3:8 B2:4 D3:4  E3:8 G3:4 E3:4  A3:12 r:4"},
        // 7: the chorus resolving to the dominant.
        {.chords = {"F", "G", "E", "E"},
         .bass = drive,
         .drums = groove + groove + groove + fill,
         .harmony = alberti,
         .melody = "C3:4 F3:4 A3:4 G3:4  G3:6 F3:2 D3:8  E3:4 G#2:4 B2:4 E3:4  D3:4 B2:4 G#2:8"},
        // 8: the verse varied.
        {.chords = {"Am", "F", "C", "G"},
         .bass = drive,
         .drums = crash + groove + push + groove,
         .harmony = eighths,
         .melody = "E3:2 D3:2 C3:2 A2:2 C3:4 E3:4  F3:2 E3:2 C3:2 A2:2 F2:4 A2:4 "
                   "G2:2 C3:2 E3:2 G3:2 E3:4 C3:4  D3:4 E3:2 D3:2 B2:8"},
        // 9: the turnaround back to the groove.
        {.chords = {"Am", "F", "G", "E"},
         .bass = octaves,
         .drums = groove + groove + push + fill,
         .harmony = alberti,
         .melody = "A2:16 C3:16 B2:8 D3:8 E3:8 r:8"},
    };
    plan.order = {0, 1, 2, 3, 4, 5, 6, 7, 8, 2, 3, 4, 9};
    return plan;
}
