// The game's own effects and music as the build makes them: each effect read through the game's
// WAV loader from AUDIO.ONE, each module loaded and played through the module library from
// AUDIO.ONE, rendered and measured; and the generator giving the same bytes every time.
#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/data_files.h"
#include "audio/effects.h"
#include "audio/wave_file.h"
#include "image/picture_test_support.h"
#include "platform/headless.h"
#include "platform/headless_audio.h"
#include "platform/module_player.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;
using picture_test::HaveTool;
using picture_test::ReadBytes;

const char* const AllFiles[] = {"CLICK.WAV", "MONSTER.WAV", "GEFUELLT.WAV", "LOS.WAV",  "TOT.WAV",
                                "LEBEN.WAV", "TITEL.MOD",   "SPIEL.MOD",    "WERBE.MOD"};

double Decibels(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

// Level measures of 16-bit samples, as fractions of full scale.
struct Levels {
    double peak = 0;
    double rms = 0;
    double loudest = 0;  // highest RMS over any window of `window` samples
    int clipped = 0;     // samples at either end of the range
};

Levels Measure(const std::vector<int16_t>& samples, size_t window) {
    Levels levels;
    double total = 0, running = 0;
    window = std::min(window, samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const double v = samples[i] / 32768.0;
        levels.peak = std::max(levels.peak, std::fabs(v));
        if (samples[i] >= 32767 || samples[i] <= -32767) ++levels.clipped;
        total += v * v;
        running += v * v;
        if (i >= window)
            running -= (samples[i - window] / 32768.0) * (samples[i - window] / 32768.0);
        if (i + 1 >= window)
            levels.loudest = std::max(levels.loudest, std::sqrt(std::max(running, 0.0) / window));
    }
    levels.rms = samples.empty() ? 0 : std::sqrt(total / samples.size());
    return levels;
}

// The game's data folder holding only the built archive, as the current folder.
class GeneratedSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        HeadlessAudio::Reset();
        fs::copy_file(TRAZO_AUDIO_ARCHIVE, folder_.Path() / "AUDIO.ONE");
    }
    void TearDown() override {
        ReleaseEffects();
        HeadlessAudio::Reset();
    }
    TempFolder folder_{"sound"};
};

struct EffectCase {
    const char* name;
    double shortest, longest;  // seconds
};

const EffectCase Effects[] = {
    {"CLICK.WAV", 0.02, 0.12}, {"MONSTER.WAV", 0.5, 1.2}, {"GEFUELLT.WAV", 0.3, 0.9},
    {"LOS.WAV", 0.3, 1.0},     {"TOT.WAV", 0.5, 1.3},     {"LEBEN.WAV", 0.3, 0.9},
};

TEST_F(GeneratedSoundTest, EffectsAreShortCleanAndEquallyLoud) {
    std::vector<double> loudness;
    for (const EffectCase& effect : Effects) {
        SCOPED_TRACE(effect.name);
        WaveInfo info{};
        uint8_t* image = ReadWaveFile(effect.name, &info);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(info.format->wFormatTag, 1);
        EXPECT_EQ(info.format->nChannels, 1);
        EXPECT_EQ(info.format->wBitsPerSample, 16);
        const double rate = info.format->nSamplesPerSec;
        EXPECT_TRUE(rate == 22050 || rate == 44100);
        std::vector<int16_t> samples(info.dataSize / 2);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<int16_t>(info.data[2 * i] | info.data[2 * i + 1] << 8);
        std::free(image);

        const double seconds = samples.size() / rate;
        EXPECT_GE(seconds, effect.shortest);
        EXPECT_LE(seconds, effect.longest);
        // Starting and stopping at rest: no click at either end.
        EXPECT_LE(std::abs(samples.front()), 64);
        EXPECT_LE(std::abs(samples.back()), 64);
        const Levels levels = Measure(samples, static_cast<size_t>(rate / 10));
        EXPECT_LE(levels.clipped, 2);
        EXPECT_GE(Decibels(levels.peak), -14.0);
        EXPECT_LE(Decibels(levels.peak), -1.0);
        loudness.push_back(Decibels(levels.loudest));
    }
    // Matched loudness: the loudest 100 ms of every effect within a few decibels of the others.
    const auto [quietest, loudest] = std::minmax_element(loudness.begin(), loudness.end());
    EXPECT_LE(*loudest - *quietest, 3.0);
    EXPECT_GE(*quietest, -20.0);
}

// Played by the game, each effect sounds whole, once, at the level it was made with.
TEST_F(GeneratedSoundTest, EffectsSoundWholeThroughTheGamesPlayOperations) {
    ASSERT_EQ(LoadEffects(), 1);
    const struct {
        void (*play)();
        const char* name;
    } plays[] = {{PlayClick, "CLICK.WAV"},
                 {PlayFilled, "GEFUELLT.WAV"},
                 {PlayGo, "LOS.WAV"},
                 {PlayDeath, "TOT.WAV"},
                 {PlayExtraLife, "LEBEN.WAV"}};
    for (const auto& p : plays) {
        SCOPED_TRACE(p.name);
        WaveInfo info{};
        uint8_t* image = ReadWaveFile(p.name, &info);
        ASSERT_NE(image, nullptr);
        // Up to the last sample that is not silence: the file ends with a little silence.
        size_t audible = 0;
        for (size_t i = 0; i + 1 < info.dataSize; i += 2)
            if (info.data[i] != 0 || info.data[i + 1] != 0) audible = i / 2 + 1;
        const double fileSeconds = static_cast<double>(audible) / info.format->nSamplesPerSec;
        std::free(image);

        p.play();
        const std::vector<int16_t> mix = HeadlessAudio::Render(44100 * 2);
        size_t audibleFrames = 0;
        for (size_t i = 0; i < mix.size(); ++i)
            if (mix[i] != 0) audibleFrames = i / 2 + 1;
        EXPECT_NEAR(audibleFrames / 44100.0, fileSeconds, 0.002);
        const Levels levels = Measure(mix, 4410 * 2);
        EXPECT_LE(levels.clipped, 2);
        EXPECT_GE(Decibels(levels.peak), -14.0);
        EXPECT_LE(Decibels(levels.peak), -1.0);
    }
    ReleaseEffects();
}

struct ModuleCase {
    const char* name;
    double minimumSeconds;  // before the music may repeat
};

const ModuleCase Modules[] = {{"TITEL.MOD", 60}, {"SPIEL.MOD", 90}, {"WERBE.MOD", 45}};

// Seconds libxmp plays the module before it comes round to its start again.
double SecondsBeforeRepeat(const Bytes& module) {
    xmp_context context = xmp_create_context();
    EXPECT_EQ(xmp_load_module_from_memory(context, module.data(), static_cast<long>(module.size())),
              0);
    xmp_start_player(context, 44100, 0);
    double seconds = 0;
    xmp_frame_info frame;
    while (seconds < 600 && xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &frame);
        if (frame.loop_count > 0) break;
        seconds += frame.buffer_size / 4 / 44100.0;
    }
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
    return seconds;
}

TEST_F(GeneratedSoundTest, ModulesPlayLongEnoughAndNeverFallSilent) {
    const AudioDeviceRecord device{AnyAudioDevice, AudioFormat16Bits | AudioFormatStereo, 44100};
    ASSERT_EQ(AInitialize(), MODULE_OK);
    ASSERT_EQ(AOpenAudio(&device), MODULE_OK);
    for (const ModuleCase& module : Modules) {
        SCOPED_TRACE(module.name);
        FILE* entry = OpenDataFile(module.name);
        ASSERT_NE(entry, nullptr);
        Bytes bytes(EntrySize);
        ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), entry), bytes.size());
        std::fclose(entry);
        const double repeatsAfter = SecondsBeforeRepeat(bytes);
        EXPECT_GE(repeatsAfter, module.minimumSeconds);
        EXPECT_LE(repeatsAfter, module.minimumSeconds * 2);

        ModuleRecord* record = nullptr;
        ASSERT_EQ(ALoadModuleFile("AUDIO.ONE", &record, EntryOffset), MODULE_OK);
        EXPECT_EQ(record->trackCount, 4);
        ASSERT_EQ(AOpenVoices(record->trackCount), MODULE_OK);
        ASSERT_EQ(ASetModuleVolume(64), MODULE_OK);
        ASSERT_EQ(APlayModule(record), MODULE_OK);
        // Second by second, through the point where it repeats and on: always music, never
        // clipping, and no gap where the loop joins.
        Levels whole;
        double sumSquares = 0;
        size_t count = 0;
        const int seconds = static_cast<int>(repeatsAfter) + 3;
        for (int second = 0; second < seconds; ++second) {
            const std::vector<int16_t> mix = HeadlessAudio::Render(44100);
            const Levels levels = Measure(mix, mix.size());
            EXPECT_GE(Decibels(levels.rms), -30.0) << "silent in second " << second;
            whole.peak = std::max(whole.peak, levels.peak);
            whole.clipped += levels.clipped;
            sumSquares += levels.rms * levels.rms * mix.size();
            count += mix.size();
        }
        EXPECT_LE(whole.clipped, 4);
        EXPECT_GE(Decibels(whole.peak), -10.0);
        EXPECT_LE(Decibels(std::sqrt(sumSquares / count)), -8.0);
        EXPECT_GE(Decibels(std::sqrt(sumSquares / count)), -24.0);
        AStopModule();
        AFreeModuleFile(record);
    }
    ACloseVoices();
    ACloseAudio();
}

// A sample that plays once carries a loop of one word at its start, which Amiga players keep
// repeating after the sample ends: that word must be silent, or a buzz stays under the music.
TEST(GeneratedModules, SamplesThatPlayOnceStartWithASilentWord) {
    for (const ModuleCase& module : Modules) {
        SCOPED_TRACE(module.name);
        const Bytes bytes = ReadBytes(fs::path(TRAZO_SOUND_FILES_DIR) / module.name);
        ASSERT_GT(bytes.size(), 1084u);
        auto word = [&](size_t at) { return static_cast<size_t>(bytes[at] << 8 | bytes[at + 1]); };
        const uint8_t positions = bytes[950];
        const uint8_t patterns = *std::max_element(&bytes[952], &bytes[952] + positions) + 1;
        size_t data = 1084 + patterns * 1024u, oneShots = 0;
        for (int slot = 0; slot < 31; ++slot) {
            const size_t header = 20 + 30 * slot, length = 2 * word(header + 22);
            if (length > 0 && word(header + 28) <= 1) {
                ASSERT_LE(data + 2, bytes.size());
                EXPECT_EQ(bytes[data], 0) << "sample " << slot + 1;
                EXPECT_EQ(bytes[data + 1], 0) << "sample " << slot + 1;
                ++oneShots;
            }
            data += length;
        }
        EXPECT_EQ(data, bytes.size());
        EXPECT_GE(oneShots, 4u);  // the drums at least
    }
}

// Runs the generator into a fresh folder; the nine files and the archive, by name.
std::vector<std::pair<std::string, Bytes>> Generate(const fs::path& folder) {
    const std::string command = std::string("\"") + TRAZO_MAKESOUND + "\" \"" +
                                (folder / "files").string() + "\" \"" +
                                (folder / "AUDIO.ONE").string() + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::pair<std::string, Bytes>> files;
    for (const char* name : AllFiles) files.push_back({name, ReadBytes(folder / "files" / name)});
    files.push_back({"AUDIO.ONE", ReadBytes(folder / "AUDIO.ONE")});
    return files;
}

TEST_F(GeneratedSoundTest, GeneratorGivesTheSameBytesEveryTimeAndPacksThemAll) {
    const auto first = Generate(folder_.Path() / "first");
    const auto second = Generate(folder_.Path() / "second");
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        SCOPED_TRACE(first[i].first);
        EXPECT_FALSE(first[i].second.empty());
        EXPECT_TRUE(first[i].second == second[i].second);
    }
    // The build's archive is the same, and holds each file exactly as written loose.
    EXPECT_TRUE(first.back().second == ReadBytes(TRAZO_AUDIO_ARCHIVE));
    for (size_t i = 0; i + 1 < first.size(); ++i) {
        SCOPED_TRACE(first[i].first);
        FILE* entry = OpenArchiveEntry("AUDIO.ONE", first[i].first.c_str());
        ASSERT_NE(entry, nullptr);
        Bytes bytes(EntrySize);
        EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), entry), bytes.size());
        std::fclose(entry);
        EXPECT_TRUE(bytes == ReadBytes(fs::path(TRAZO_SOUND_FILES_DIR) / first[i].first));
        EXPECT_TRUE(bytes == first[i].second);
    }
}

// A reader nobody here wrote agrees on what the effects hold.
TEST_F(GeneratedSoundTest, SoxReadsEveryEffect) {
    if (!HaveTool("sox")) GTEST_SKIP() << "sox is missing";
    for (const EffectCase& effect : Effects) {
        SCOPED_TRACE(effect.name);
        const fs::path file = fs::path(TRAZO_SOUND_FILES_DIR) / effect.name;
        const fs::path out = folder_.Path() / "info.txt";
        const std::string command =
            "soxi -s \"" + file.string() + "\" > \"" + out.string() + "\" 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const Bytes text = ReadBytes(out);
        const long samples = std::atol(std::string(text.begin(), text.end()).c_str());
        const Bytes wave = ReadBytes(file);
        EXPECT_EQ(samples, static_cast<long>(wave.size() - 44) / 2);
    }
}

// A player nobody here wrote reads each module as a ProTracker module without a complaint and
// finds it as long as libxmp does.
TEST_F(GeneratedSoundTest, OpenMptPlaysEveryModule) {
    if (!HaveTool("openmpt123")) GTEST_SKIP() << "openmpt123 is missing";
    for (const ModuleCase& module : Modules) {
        SCOPED_TRACE(module.name);
        const fs::path file = fs::path(TRAZO_SOUND_FILES_DIR) / module.name;
        const fs::path out = folder_.Path() / "info.txt";
        const std::string command =
            "openmpt123 --info \"" + file.string() + "\" > \"" + out.string() + "\" 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const Bytes bytes = ReadBytes(out);
        std::string text(bytes.begin(), bytes.end());
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(text.find("protracker mod (m.k.)"), std::string::npos) << text;
        EXPECT_NE(text.find("channels...: 4"), std::string::npos) << text;
        EXPECT_EQ(text.find("warning"), std::string::npos) << text;
        const size_t duration = text.find("duration...: ");
        ASSERT_NE(duration, std::string::npos) << text;
        int minutes = 0;
        double seconds = 0;
        ASSERT_EQ(std::sscanf(text.c_str() + duration + 13, "%d:%lf", &minutes, &seconds), 2);
        EXPECT_GE(minutes * 60 + seconds, module.minimumSeconds);
    }
}

}  // namespace
