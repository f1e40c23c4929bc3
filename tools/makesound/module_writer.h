// Writing ProTracker modules: 31 sample slots, 4 channels, the "M.K." signature, patterns of 64
// rows, 8-bit signed samples.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kModuleChannels = 4;
constexpr int kModuleRows = 64;
constexpr int kModuleSampleSlots = 31;
// Notes C-1 to B-3, the range every tracker plays.
constexpr int kModuleNotes = 36;

// The Amiga period of a note, 0 (C-1) to 35 (B-3), at finetune 0.
uint16_t NotePeriod(int note);

struct ModuleSample {
    std::string name;          // at most 22 characters
    std::vector<int8_t> data;  // an even number of bytes, at most 131070
    uint8_t volume = 64;       // 0 to 64
    uint32_t loopStart = 0;    // bytes, even
    uint32_t loopLength = 0;   // bytes, even; 0: plays once
};

struct ModuleCell {
    uint8_t sample = 0;   // 1 to 31, 0: none
    uint16_t period = 0;  // 0: no note
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct ModulePattern {
    std::array<std::array<ModuleCell, kModuleChannels>, kModuleRows> rows{};
};

struct Module {
    std::string title;  // at most 20 characters
    std::vector<ModuleSample> samples;
    std::vector<ModulePattern> patterns;
    std::vector<uint8_t> order;  // 1 to 128 pattern numbers
};

// The module file. Throws std::invalid_argument when the module breaks the format's limits, so
// that a mistake in a composition stops the build instead of writing a file no player loads.
std::vector<uint8_t> EncodeModule(const Module& module);
