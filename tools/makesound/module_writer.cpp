#include "module_writer.h"

#include <stdexcept>

namespace {

constexpr uint16_t kPeriods[kModuleNotes] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,  // octave 1
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,  // octave 2
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,  // octave 3
};

void PutName(std::vector<uint8_t>& out, const std::string& name, size_t width) {
    if (name.size() > width) throw std::invalid_argument("module name too long: " + name);
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), width - name.size(), 0);
}

void PutWord(std::vector<uint8_t>& out, uint32_t bytes, const char* what) {
    if (bytes % 2 != 0 || bytes / 2 > 0xFFFF)
        throw std::invalid_argument(std::string("sample ") + what + " not an even size in range");
    out.push_back(static_cast<uint8_t>((bytes / 2) >> 8));
    out.push_back(static_cast<uint8_t>(bytes / 2));
}

}  // namespace

uint16_t NotePeriod(int note) {
    if (note < 0 || note >= kModuleNotes) throw std::invalid_argument("note out of range");
    return kPeriods[note];
}

std::vector<uint8_t> EncodeModule(const Module& module) {
    if (module.samples.size() > kModuleSampleSlots) throw std::invalid_argument("too many samples");
    if (module.order.empty() || module.order.size() > 128)
        throw std::invalid_argument("order list must hold 1 to 128 positions");
    if (module.patterns.empty() || module.patterns.size() > 64)
        throw std::invalid_argument("a module holds 1 to 64 patterns");

    // Players count the patterns from the highest number in the order list, so every pattern
    // must be reachable or the sample data would be read from the wrong place.
    uint8_t highest = 0;
    for (uint8_t pattern : module.order) highest = pattern > highest ? pattern : highest;
    if (highest + 1u != module.patterns.size())
        throw std::invalid_argument("every pattern must appear in the order list");

    std::vector<uint8_t> out;
    PutName(out, module.title, 20);
    for (size_t slot = 0; slot < kModuleSampleSlots; ++slot) {
        if (slot >= module.samples.size()) {
            out.insert(out.end(), 22, 0);
            out.insert(out.end(), {0, 0, 0, 0, 0, 0, 0, 1});  // empty: loop length of one word
            continue;
        }
        const ModuleSample& sample = module.samples[slot];
        if (sample.volume > 64) throw std::invalid_argument("sample volume above 64");
        if (sample.loopLength > 0 && sample.loopStart + sample.loopLength > sample.data.size())
            throw std::invalid_argument("sample loop past its end: " + sample.name);
        PutName(out, sample.name, 22);
        PutWord(out, static_cast<uint32_t>(sample.data.size()), "length");
        out.push_back(0);  // finetune
        out.push_back(sample.volume);
        PutWord(out, sample.loopStart, "loop start");
        // A loop length of one word is the format's way of saying "no loop".
        PutWord(out, sample.loopLength > 0 ? sample.loopLength : 2, "loop length");
    }
    out.push_back(static_cast<uint8_t>(module.order.size()));
    out.push_back(127);  // restart byte as ProTracker writes it; the loop is in the patterns
    for (size_t i = 0; i < 128; ++i) {
        const uint8_t pattern = i < module.order.size() ? module.order[i] : 0;
        if (pattern >= module.patterns.size())
            throw std::invalid_argument("order names a missing pattern");
        out.push_back(pattern);
    }
    out.insert(out.end(), {'M', '.', 'K', '.'});
    for (const ModulePattern& pattern : module.patterns) {
        for (const auto& row : pattern.rows) {
            for (const ModuleCell& cell : row) {
                if (cell.sample > kModuleSampleSlots || cell.period > 0xFFF || cell.effect > 0xF)
                    throw std::invalid_argument("pattern cell out of range");
                out.push_back(static_cast<uint8_t>((cell.sample & 0xF0) | (cell.period >> 8)));
                out.push_back(static_cast<uint8_t>(cell.period));
                out.push_back(static_cast<uint8_t>(((cell.sample & 0x0F) << 4) | cell.effect));
                out.push_back(cell.param);
            }
        }
    }
    for (const ModuleSample& sample : module.samples)
        for (int8_t value : sample.data) out.push_back(static_cast<uint8_t>(value));
    return out;
}
