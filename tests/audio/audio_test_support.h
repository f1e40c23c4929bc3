// Helpers of the audio tests: a scratch folder as the current directory, WAV and module images
// built in memory, and measures of a rendered mix.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/temp_folder.h"

namespace audio_test {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
inline void Put32(Bytes& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
inline void PutId(Bytes& out, const char* id) { out.insert(out.end(), id, id + 4); }

// One chunk with its pad byte after an odd body.
inline void PutChunk(Bytes& out, const char* id, const Bytes& body) {
    PutId(out, id);
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
}

// A PCM "fmt " body of 16 bytes.
inline Bytes PcmFormat(int channels, uint32_t rate, int bits) {
    Bytes body;
    const int block = channels * bits / 8;
    Put16(body, 1);
    Put16(body, static_cast<uint32_t>(channels));
    Put32(body, rate);
    Put32(body, rate * static_cast<uint32_t>(block));
    Put16(body, static_cast<uint32_t>(block));
    Put16(body, static_cast<uint32_t>(bits));
    return body;
}

// RIFF header around the chunks, with the size the chunks really take.
inline Bytes Riff(const Bytes& chunks) {
    Bytes out;
    PutId(out, "RIFF");
    Put32(out, static_cast<uint32_t>(chunks.size() + 4));
    PutId(out, "WAVE");
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

// A WAV file of 16-bit mono at 44100 Hz holding a constant level: easy to find in the mix.
inline Bytes LevelWave(int16_t level, int frames) {
    Bytes data;
    for (int i = 0; i < frames; ++i) Put16(data, static_cast<uint16_t>(level));
    Bytes chunks;
    PutChunk(chunks, "fmt ", PcmFormat(1, 44100, 16));
    PutChunk(chunks, "data", data);
    return Riff(chunks);
}

// A ProTracker module, 4 channels ("M.K."): one pattern whose first rows are empty and whose
// row `noteRow` starts a looped square wave on channel 1 that sounds until the pattern ends.
inline Bytes SquareModule(int noteRow = 8) {
    Bytes out(20, 0);
    std::memcpy(out.data(), "square test", 11);
    constexpr int SampleWords = 32;
    for (int sample = 0; sample < 31; ++sample) {
        Bytes header(30, 0);
        if (sample == 0) {
            std::memcpy(header.data(), "square", 6);
            header[22] = 0;
            header[23] = SampleWords;  // length in words, big-endian
            header[25] = 64;           // volume
            header[29] = SampleWords;  // loop length: the whole sample
        }
        out.insert(out.end(), header.begin(), header.end());
    }
    out.push_back(1);    // song length
    out.push_back(127);  // restart byte
    for (int i = 0; i < 128; ++i) out.push_back(0);
    PutId(out, "M.K.");
    Bytes pattern(64 * 4 * 4, 0);
    const uint32_t period = 428;  // C-2
    uint8_t* cell = pattern.data() + noteRow * 16;
    cell[0] = static_cast<uint8_t>(period >> 8);
    cell[1] = static_cast<uint8_t>(period & 0xFF);
    cell[2] = 0x10;  // sample 1, no effect
    out.insert(out.end(), pattern.begin(), pattern.end());
    for (int i = 0; i < SampleWords * 2; ++i) out.push_back(i < SampleWords ? 100 : 156);
    return out;
}

// How loud a stretch of interleaved samples is.
inline double Rms(const std::vector<int16_t>& samples, size_t from = 0, size_t count = SIZE_MAX) {
    const size_t end = std::min(samples.size(), count == SIZE_MAX ? SIZE_MAX : from + count);
    double sum = 0;
    size_t n = 0;
    for (size_t i = from; i < end; ++i, ++n) sum += double(samples[i]) * samples[i];
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

inline bool Silent(const std::vector<int16_t>& samples) {
    for (int16_t s : samples)
        if (s != 0) return false;
    return true;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// A fresh folder as the current directory for the length of a test.
class ScratchFolder : public TempFolder {
public:
    ScratchFolder() : TempFolder("audio") {}
};

// Runs a shell command; true when it exits 0.
inline bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }
inline bool HaveSox() { return RunCommand("command -v sox > /dev/null 2>&1"); }

}  // namespace audio_test
