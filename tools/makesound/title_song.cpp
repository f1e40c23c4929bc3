#include "songs.h"

SongPlan TitleSong() {
    const std::string beat = "K...h...S...h...";
    const std::string lift = "K...h.k.S...h.h.";
    const std::string fill = "K...h...S.s.S.ss";
    const std::string crash = "C...h...S...h...";
    const std::string rolling = "0.2.3.4.3.2.1.2.";
    SongPlan plan;
    plan.title = "trazo - titel";
    plan.tempo = 92;
    plan.leadSample = kSoftLeadSample;
    plan.harmonySample = kPluckSample;
    plan.leadVolume = 40;
    plan.harmonyVolume = 38;
    plan.bassVolume = 50;
    plan.vibrato = 0x52;
    plan.sections = {
        // 0: the harmony alone sets the mood before the tune comes in.
        {.chords = {"Fmaj7", "G", "Em7", "Am"},
         .bass = "1.......5.......",
         .drums = "k.......h.......",
         .harmony = "0.1.2.3.4.3.2.1.",
         .melody = ""},
        // 1: the tune.
        {.chords = {"C", "G", "Am", "F"},
         .bass = "1.....5.8...5...",
         .drums = crash + beat + beat + lift,
         .harmony = rolling,
         .melody = "E2:4 G2:2 C3:6 B2:2 C3:2  D3:6 B2:2 G2:8  A2:4 C3:2 E3:6 D3:2 C3:2 "
                   "C3:6 A2:2 F2:4 r:4"},
        // 2: its answer, ending open.
        {.chords = {"C", "G", "Am", "F"},
         .bass = "1.....5.8...5.3.",
         .drums = beat + beat + beat + fill,
         .harmony = "0.2.3.4.5.4.3.2.",
         .melody = "E2:4 G2:2 C3:4 D3:2 E3:4  D3:4 B2:4 G2:4 A2:2 B2:2  C3:6 B2:2 A2:4 E2:4 "
                   "F2:4 A2:4 G2:8"},
        // 3: the middle, through the minor chords.
        {.chords = {"Dm7", "G", "Em7", "Am"},
         .bass = "1.....1.5...7...",
         .drums = lift + beat + lift + beat,
         .harmony = "0.1.2.3.4.3.2.1.",
         .melody = "F2:2 A2:2 C3:4 D3:6 C3:2  B2:4 D3:4 G2:8  G2:2 B2:2 D3:4 E3:6 D3:2 "
                   "C3:4 B2:2 A2:10"},
        // 4: home again, with a pickup into the bridge.
        {.chords = {"F", "G", "C", "C"},
         .bass = "1.....5.8...5...",
         .drums = beat + beat + beat + fill,
         .harmony = rolling,
         .melody = "A2:4 C3:4 F3:6 E3:2  D3:4 B2:4 G2:4 D3:4  E3:4 D3:2 C3:10  r:8 G2:2 A2:2 B2:4"},
        // 5: the bridge: long notes over a soft pad, the drums thinned out.
        {.chords = {"Am", "F", "C", "G"},
         .bass = "1.......1...5...",
         .drums = "K.......S.......",
         .harmony = "0...1...2...1...",
         .melody = "E3:6 D3:2 C3:4 A2:4  C3:8 F3:8  E3:6 G3:2 E3:4 C3:4  D3:12 r:4",
         .harmonySample = kPadSample},
        // 6: the tune once more, ornamented.
        {.chords = {"C", "G", "Am", "F"},
         .bass = "1.....5.8...5.3.",
         .drums = crash + beat + lift + fill,
         .harmony = rolling,
         .melody = "E2:2 F2:2 G2:2 C3:6 B2:2 C3:2  D3:4 E3:2 D3:2 B2:4 G2:4 "
                   "A2:2 B2:2 C3:2 E3:6 G3:2 E3:2  F3:4 E3:4 C3:8"},
        // 7: winding down, and round to the start.
        {.chords = {"Fmaj7", "G", "Em7 Am", "Dm7 G"},
         .bass = "1.......5.......",
         .drums = beat + beat + beat + "K.......S.s.s.s.",
         .harmony = "0.1.2.3.4.3.2.1.",
         .melody = "A2:8 C3:8 B2:8 D3:8 E3:6 C3:2 A2:8 D3:8 B2:8"},
    };
    plan.order = {0, 1, 2, 3, 4, 5, 6, 7};
    return plan;
}
