#include "songs.h"

SongPlan FarewellSong() {
    const std::string soft = "K...h...S...h...";
    const std::string sway = "K...h.k.S...h...";
    const std::string rolling = "0.2.3.4.3.2.1.2.";
    SongPlan plan;
    plan.title = "trazo - werbe";
    plan.tempo = 80;
    plan.leadSample = kSoftLeadSample;
    plan.harmonySample = kPluckSample;
    plan.leadVolume = 42;
    plan.harmonyVolume = 38;
    plan.bassVolume = 50;
    plan.vibrato = 0x52;
    plan.sections = {
        // 0: the tune over a pad, nearly without drums.
        {.chords = {"F", "C", "Dm", "Bb"},
         .bass = "1.......5.......",
         .drums = "k.......h.......",
         .harmony = "0...1...2...1...",
         .melody = "A2:4 C3:4 F3:8  E3:4 D3:4 C3:8  D3:4 F3:4 A3:8  G3:6 F3:2 D3:8",
         .harmonySample = kPadSample},
        // 1: lower, the plucked harmony joining.
        {.chords = {"F", "C", "Dm", "Bb"},
         .bass = "1.....5.8.......",
         .drums = "C...h...S...h..." + soft + soft + sway,
         .harmony = rolling,
         .melody = "C3:6 A2:2 F2:4 A2:4  G2:6 E2:2 C2:8  D2:4 F2:4 A2:4 D3:4  D3:6 C3:2 Bb2:8"},
        // 2: the middle, through the minor chords.
        {.chords = {"Gm7", "C", "Am7", "Dm"},
         .bass = "1.....5.7.......",
         .drums = sway + soft + sway + soft,
         .harmony = "0.1.2.3.4.3.2.1.",
         .melody = "Bb2:4 D3:4 F3:8  E3:6 D3:2 C3:8  C3:4 E3:4 G3:8  F3:6 E3:2 D3:8"},
        // 3: rising to the top of the tune.
        {.chords = {"Bb", "C", "F", "Dm"},
         .bass = "1.....5.8.......",
         .drums = soft + soft + sway + "K...h...S.s.S.s.",
         .harmony = rolling,
         .melody = "D3:4 F3:4 Bb3:8  G3:4 E3:4 C3:8  A2:4 C3:4 F3:4 E3:4  F3:6 E3:2 D3:8"},
        // 4: goodbye, and a last bar of rest before the start comes round.
        {.chords = {"Bb", "C", "F", "F"},
         .bass = "1.......5.......",
         .drums = soft + soft + "C..............." + "k.......h.......",
         .harmony = "0...1...2...3...",
         .melody = "D3:8 C3:4 Bb2:4  C3:8 E3:4 G3:4  F3:16  r:16",
         .harmonySample = kPadSample},
    };
    plan.order = {0, 1, 2, 3, 4};
    return plan;
}
