// Turns a song written as chords, rhythm strings and a melody into module patterns.
//
// Four channels: bass, lead, drums, harmony. A section is one pattern: 64 rows, four bars of 4/4
// at four rows a beat. Its parts are written as strings of steps, one character a row; a string
// of 16 steps is repeated for each of the four bars.
//
//   chords   one string a bar: "Am", "Fmaj7", or two chords sharing the bar, "F G"
//   bass     1 3 5 7 8: root, third, fifth, seventh, octave of the bar's chord (octave 1)
//   drums    K k: kick, soft kick; S s: snare, ghost; H h: hi-hat, soft; C: crash
//   harmony  0-7: chord tones upwards from the root (octave 2), a broken chord
//   all      ".": nothing new, the last note sounds on; "-": silence the channel
//   melody   tokens "E3:4" (note E-3 for 4 rows), "F#2:2", "Bb2:8", "r:4" (rest), 64 rows in
//            all; empty for none. Notes of six rows or more get a vibrato after their start.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "module_writer.h"

// Sample numbers of the instruments every song carries, in their slot order.
enum SongSample : uint8_t {
    kBassSample = 1,
    kPulseLeadSample,
    kSoftLeadSample,
    kPadSample,
    kPluckSample,
    kKickSample,
    kSnareSample,
    kHatSample,
    kCrashSample,
};

struct Section {
    std::array<std::string, 4> chords;
    std::string bass;
    std::string drums;
    std::string harmony;
    std::string melody;
    uint8_t harmonySample = 0;  // 0: the song's harmony instrument
};

struct SongPlan {
    std::string title;
    int tempo = 125;  // beats a minute
    uint8_t leadSample = kPulseLeadSample;
    uint8_t harmonySample = kPluckSample;
    uint8_t leadVolume = 48;
    uint8_t harmonyVolume = 36;
    uint8_t bassVolume = 56;
    uint8_t vibrato = 0x34;  // speed 3, depth 4
    std::vector<Section> sections;
    std::vector<int> order;  // section numbers, played in turn; the song then loops to the start
};

// The whole module, with every instrument, a pattern a section, the speed and tempo set on the
// first row and a jump back to the first position on the last row of the last. Throws
// std::invalid_argument with the reason when a section is written wrongly.
Module BuildSong(const SongPlan& plan);
