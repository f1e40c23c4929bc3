#include "song_builder.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "instruments.h"

namespace {

constexpr int kRowsPerBar = 16;
constexpr int kSpeed = 6;  // ticks a row; with four rows a beat the tempo byte is the BPM

// Channels 0 and 3 sound on the left, 1 and 2 on the right: the bass and the harmony on one side,
// the tune and the drums on the other, which keeps the two sides within a few decibels.
enum Channel { kBassChannel = 0, kLeadChannel = 1, kDrumChannel = 2, kHarmonyChannel = 3 };

struct Chord {
    int root = 0;  // pitch class, C = 0
    std::vector<int> tones;
};

int PitchClass(const std::string& text, size_t* used) {
    static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        throw std::invalid_argument("bad note name: " + text);
    int pc = kNatural[text[0] - 'A'];
    *used = 1;
    if (text.size() > 1 && text[1] == '#') {
        pc += 1;
        *used = 2;
    } else if (text.size() > 1 && text[1] == 'b') {
        pc += 11;
        *used = 2;
    }
    return pc % 12;
}

Chord ParseChord(const std::string& text) {
    size_t used = 0;
    Chord chord;
    chord.root = PitchClass(text, &used);
    const std::string quality = text.substr(used);
    if (quality.empty())
        chord.tones = {0, 4, 7};
    else if (quality == "m")
        chord.tones = {0, 3, 7};
    else if (quality == "7")
        chord.tones = {0, 4, 7, 10};
    else if (quality == "m7")
        chord.tones = {0, 3, 7, 10};
    else if (quality == "maj7")
        chord.tones = {0, 4, 7, 11};
    else if (quality == "sus4")
        chord.tones = {0, 5, 7};
    else if (quality == "sus2")
        chord.tones = {0, 2, 7};
    else
        throw std::invalid_argument("unknown chord: " + text);
    return chord;
}

// The chord sounding at each row of the section.
std::vector<Chord> ChordsByRow(const Section& section) {
    std::vector<Chord> rows;
    for (const std::string& bar : section.chords) {
        std::istringstream words(bar);
        std::vector<Chord> chords;
        for (std::string word; words >> word;) chords.push_back(ParseChord(word));
        if (chords.empty() || kRowsPerBar % chords.size() != 0)
            throw std::invalid_argument("a bar holds one, two or four chords: " + bar);
        for (int row = 0; row < kRowsPerBar; ++row)
            rows.push_back(chords[row * chords.size() / kRowsPerBar]);
    }
    return rows;
}

std::string Steps(const std::string& text, const char* part) {
    if (text.size() == kRowsPerBar) return text + text + text + text;
    if (text.size() == kModuleRows) return text;
    throw std::invalid_argument(std::string(part) + " must have 16 or 64 steps: " + text);
}

int Clamp(int note) {
    while (note >= kModuleNotes) note -= 12;
    return note;
}

void PutNote(ModuleCell& cell, uint8_t sample, int note, uint8_t effect = 0, uint8_t param = 0) {
    cell.sample = sample;
    cell.period = NotePeriod(Clamp(note));
    cell.effect = effect;
    cell.param = param;
}

using Samples = std::vector<ModuleSample>;

// A note sets a volume only when it differs from its sample's own, which keeps the effect column
// free for the song-wide effects.
void PutNoteAt(const Samples& samples, ModuleCell& cell, uint8_t sample, int note, uint8_t volume) {
    if (samples[sample - 1].volume == volume)
        PutNote(cell, sample, note);
    else
        PutNote(cell, sample, note, 0xC, volume);
}

void Silence(ModuleCell& cell) {
    cell.effect = 0xC;
    cell.param = 0;
}

void WriteBass(const Samples& samples, ModulePattern& pattern, const Section& section,
               const std::vector<Chord>& chords, uint8_t volume) {
    const std::string steps = Steps(section.bass, "bass");
    for (int row = 0; row < kModuleRows; ++row) {
        const Chord& chord = chords[row];
        ModuleCell& cell = pattern.rows[row][kBassChannel];
        int offset = 0;
        switch (steps[row]) {
        case '.': continue;
        case '-': Silence(cell); continue;
        case '1': offset = 0; break;
        case '3': offset = chord.tones[1]; break;
        case '5': offset = chord.tones[2]; break;
        case '7': offset = chord.tones.size() > 3 ? chord.tones[3] : 10; break;
        case '8': offset = 12; break;
        default: throw std::invalid_argument("bad bass step in " + section.bass);
        }
        PutNoteAt(samples, cell, kBassSample, chord.root + offset, volume);
    }
}

void WriteDrums(const Samples& samples, ModulePattern& pattern, const Section& section) {
    const std::string steps = Steps(section.drums, "drums");
    for (int row = 0; row < kModuleRows; ++row) {
        ModuleCell& cell = pattern.rows[row][kDrumChannel];
        switch (steps[row]) {
        case '.': break;
        case '-': Silence(cell); break;
        case 'K': PutNoteAt(samples, cell, kKickSample, kKickNote, 64); break;
        case 'k': PutNoteAt(samples, cell, kKickSample, kKickNote, 40); break;
        case 'S': PutNoteAt(samples, cell, kSnareSample, kSnareNote, 52); break;
        case 's': PutNoteAt(samples, cell, kSnareSample, kSnareNote, 22); break;
        case 'H': PutNoteAt(samples, cell, kHatSample, kHatNote, 34); break;
        case 'h': PutNoteAt(samples, cell, kHatSample, kHatNote, 20); break;
        case 'C': PutNoteAt(samples, cell, kCrashSample, kCrashNote, 36); break;
        default: throw std::invalid_argument("bad drum step in " + section.drums);
        }
    }
}

void WriteHarmony(const Samples& samples, ModulePattern& pattern, const Section& section,
                  const std::vector<Chord>& chords, const SongPlan& plan) {
    const std::string steps = Steps(section.harmony, "harmony");
    const uint8_t sample = section.harmonySample ? section.harmonySample : plan.harmonySample;
    for (int row = 0; row < kModuleRows; ++row) {
        const Chord& chord = chords[row];
        ModuleCell& cell = pattern.rows[row][kHarmonyChannel];
        const char step = steps[row];
        if (step == '.') continue;
        if (step == '-') {
            Silence(cell);
        } else if (step >= '0' && step <= '7') {
            const int index = step - '0';
            const int size = static_cast<int>(chord.tones.size());
            const int note = 12 + chord.root + chord.tones[index % size] + 12 * (index / size);
            PutNoteAt(samples, cell, sample, note, plan.harmonyVolume);
        } else {
            throw std::invalid_argument("bad harmony step in " + section.harmony);
        }
    }
}

void WriteMelody(const Samples& samples, ModulePattern& pattern, const Section& section,
                 const SongPlan& plan) {
    if (section.melody.empty()) {
        // A section without a tune starts by silencing whatever the last one left ringing.
        Silence(pattern.rows[0][kLeadChannel]);
        return;
    }
    std::istringstream tokens(section.melody);
    int row = 0;
    for (std::string token; tokens >> token;) {
        const size_t colon = token.find(':');
        if (colon == std::string::npos) throw std::invalid_argument("melody token: " + token);
        const std::string name = token.substr(0, colon);
        const int rows = std::stoi(token.substr(colon + 1));
        if (rows <= 0 || row + rows > kModuleRows)
            throw std::invalid_argument("melody runs past its section: " + section.melody);
        ModuleCell& cell = pattern.rows[row][kLeadChannel];
        if (name == "r") {
            Silence(cell);
        } else {
            size_t used = 0;
            const int pc = PitchClass(name, &used);
            if (used + 1 != name.size() || name[used] < '1' || name[used] > '3')
                throw std::invalid_argument("melody note: " + name);
            const int octave = name[used] - '1';
            // Bb2 is A#2: the flat of a C would fall into the octave below.
            const int note = octave * 12 + pc + (name[0] == 'C' && name[1] == 'b' ? -12 : 0);
            PutNoteAt(samples, cell, plan.leadSample, note, plan.leadVolume);
            if (rows >= 6) {
                for (int r = row + 3; r < row + rows; ++r) {
                    pattern.rows[r][kLeadChannel].effect = 0x4;
                    pattern.rows[r][kLeadChannel].param = plan.vibrato;
                }
            }
        }
        row += rows;
    }
    if (row != kModuleRows)
        throw std::invalid_argument("melody is " + std::to_string(row) +
                                    " rows, not 64: " + section.melody);
}

// An effect for the whole song (speed, tempo, jump) goes to any channel free on that row.
void PutGlobalEffect(ModulePattern& pattern, int row, uint8_t effect, uint8_t param) {
    for (ModuleCell& cell : pattern.rows[row]) {
        if (cell.effect == 0 && cell.param == 0) {
            cell.effect = effect;
            cell.param = param;
            return;
        }
    }
    throw std::invalid_argument("no free channel for a song effect on row " + std::to_string(row));
}

}  // namespace

Module BuildSong(const SongPlan& plan) {
    if (plan.order.empty() || plan.sections.empty())
        throw std::invalid_argument("a song needs sections and an order");
    if (plan.tempo < 32 || plan.tempo > 255) throw std::invalid_argument("tempo out of range");
    Module module;
    module.title = plan.title;
    module.samples = {MakeBass(), MakePulseLead(), MakeSoftLead(), MakePad(),  MakePluck(),
                      MakeKick(), MakeSnare(),     MakeHat(),      MakeCrash()};
    // The song's own levels become the instruments' volumes, so notes rarely need a volume
    // effect of their own.
    module.samples[kBassSample - 1].volume = plan.bassVolume;
    module.samples[plan.leadSample - 1].volume = plan.leadVolume;
    module.samples[kPadSample - 1].volume = plan.harmonyVolume;
    module.samples[kPluckSample - 1].volume = plan.harmonyVolume;
    for (const Section& section : plan.sections) {
        ModulePattern pattern;
        const std::vector<Chord> chords = ChordsByRow(section);
        WriteBass(module.samples, pattern, section, chords, plan.bassVolume);
        WriteDrums(module.samples, pattern, section);
        WriteHarmony(module.samples, pattern, section, chords, plan);
        WriteMelody(module.samples, pattern, section, plan);
        module.patterns.push_back(pattern);
    }
    for (int section : plan.order) {
        if (section < 0 || section >= static_cast<int>(plan.sections.size()))
            throw std::invalid_argument("order names a missing section");
        module.order.push_back(static_cast<uint8_t>(section));
    }
    for (size_t i = 0; i < module.patterns.size(); ++i) {
        bool used = false;
        for (uint8_t p : module.order) used = used || p == i;
        if (!used) throw std::invalid_argument("section never played: " + std::to_string(i));
    }

    // The first position sets speed and tempo, so that they hold again after the loop.
    ModulePattern& first = module.patterns[module.order.front()];
    PutGlobalEffect(first, 0, 0xF, kSpeed);
    PutGlobalEffect(first, 0, 0xF, static_cast<uint8_t>(plan.tempo));
    // The jump back to the start must not fire where the last pattern is also played earlier:
    // such a pattern gets a copy of its own for the last position.
    const uint8_t last = module.order.back();
    if (std::count(module.order.begin(), module.order.end(), last) > 1) {
        module.patterns.push_back(module.patterns[last]);
        module.order.back() = static_cast<uint8_t>(module.patterns.size() - 1);
    }
    PutGlobalEffect(module.patterns[module.order.back()], kModuleRows - 1, 0xB, 0);
    return module;
}
