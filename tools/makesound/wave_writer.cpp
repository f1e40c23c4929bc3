#include "wave_writer.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, uint32_t sampleRate,
                                uint16_t channels) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes + 1);
    PutTag(out, "RIFF");
    // Everything after this field: "WAVE", the fmt chunk (8 + 16) and the data chunk (8 + bytes).
    Put32(out, 4 + 24 + 8 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, channels);
    Put32(out, sampleRate);
    Put32(out, sampleRate * 2 * channels);            // bytes per second
    Put16(out, static_cast<uint16_t>(2 * channels));  // block align
    Put16(out, 16);                                   // bits per sample
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t sample : samples) Put16(out, static_cast<uint16_t>(sample));
    return out;
}
