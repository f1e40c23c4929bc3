// The module library over libxmp: loading from a file at a position, the record the game reads,
// the calls' results, and what the mix hears.
#include "platform/module_player.h"

#include <gtest/gtest.h>

#include "audio/audio_test_support.h"
#include "platform/headless_audio.h"

using namespace audio_test;

namespace {

const char* const TecnoballzModule = "/usr/share/games/tecnoballz/musics/high-score.mod";

class ModulePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessAudio::Reset();
        ASSERT_EQ(AInitialize(), MODULE_OK);
        const AudioDeviceRecord device{AnyAudioDevice, 0x0101, 44100};
        ASSERT_EQ(AOpenAudio(&device), MODULE_OK);
    }
    void TearDown() override {
        if (module_) AFreeModuleFile(module_);
        HeadlessAudio::Reset();
    }
    ScratchFolder folder_;
    ModuleRecord* module_ = nullptr;
};

TEST_F(ModulePlayerTest, RecordCarriesTrackCountAtByte38) {
    WriteFile("SOUND/SQUARE.MOD", SquareModule());
    ASSERT_EQ(ALoadModuleFile("sound\\square.mod", &module_, 0), MODULE_OK);
    ASSERT_NE(module_, nullptr);
    uint16_t tracks = 0;
    std::memcpy(&tracks, reinterpret_cast<const uint8_t*>(module_) + 38, 2);
    EXPECT_EQ(tracks, 4);
    EXPECT_STREQ(module_->name, "square test");
}

// A module inside a larger file is read from its position; a position at or past the end of the
// file, a missing file and data libxmp does not know are load failures.
TEST_F(ModulePlayerTest, LoadResults) {
    Bytes archive(1000, 0xAA);
    const Bytes module = SquareModule();
    archive.insert(archive.end(), module.begin(), module.end());
    archive.insert(archive.end(), 77, 0x55);
    WriteFile("ARCHIVE.BIN", archive);
    WriteFile("JUNK.MOD", Bytes(4000, 0x11));

    struct Case {
        const char* file;
        DWORD position;
        UINT result;
    } cases[] = {
        {"ARCHIVE.BIN", 1000, MODULE_OK},
        {"archive.bin", 1000, MODULE_OK},
        {"ARCHIVE.BIN", 0, MODULE_ERR_BAD_MODULE},
        {"ARCHIVE.BIN", static_cast<DWORD>(archive.size()), MODULE_ERR_NO_FILE},
        {"ARCHIVE.BIN", 0xFFFFFFF0u, MODULE_ERR_NO_FILE},
        {"MISSING.MOD", 0, MODULE_ERR_NO_FILE},
        {"JUNK.MOD", 0, MODULE_ERR_BAD_MODULE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.position));
        ModuleRecord* record = reinterpret_cast<ModuleRecord*>(1);
        EXPECT_EQ(ALoadModuleFile(c.file, &record, c.position), c.result);
        if (c.result == MODULE_OK) {
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->trackCount, 4);
            AFreeModuleFile(record);
        } else {
            EXPECT_EQ(record, nullptr);
        }
    }
}

TEST_F(ModulePlayerTest, PlaysAtItsVolumeUntilStopped) {
    WriteFile("SQUARE.MOD", SquareModule(0));
    ASSERT_EQ(ALoadModuleFile("SQUARE.MOD", &module_, 0), MODULE_OK);
    EXPECT_EQ(APlayModule(module_), MODULE_ERR_NOT_READY);  // no voices yet
    ASSERT_EQ(AOpenVoices(module_->trackCount), MODULE_OK);
    EXPECT_EQ(ASetModuleVolume(65), MODULE_ERR_BAD_VALUE);
    ASSERT_EQ(ASetModuleVolume(64), MODULE_OK);
    ASSERT_EQ(APlayModule(module_), MODULE_OK);
    const double full = Rms(HeadlessAudio::Render(22050));
    EXPECT_GT(full, 1000.0);
    ASSERT_EQ(ASetModuleVolume(32), MODULE_OK);  // while it plays
    const double half = Rms(HeadlessAudio::Render(22050));
    EXPECT_NEAR(half / full, 0.5, 0.02);
    ASSERT_EQ(AStopModule(), MODULE_OK);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(4410)));
}

// The song is one pattern of 64 rows, under 8 seconds: it plays on from its start.
TEST_F(ModulePlayerTest, PlaysOnPastTheSongsEnd) {
    WriteFile("SQUARE.MOD", SquareModule(0));
    ASSERT_EQ(ALoadModuleFile("SQUARE.MOD", &module_, 0), MODULE_OK);
    ASSERT_EQ(AOpenVoices(module_->trackCount), MODULE_OK);
    ASSERT_EQ(APlayModule(module_), MODULE_OK);
    HeadlessAudio::Render(44100 * 9);
    EXPECT_GT(Rms(HeadlessAudio::Render(44100)), 1000.0);
}

TEST_F(ModulePlayerTest, TooFewVoicesIsAPlayFailure) {
    WriteFile("SQUARE.MOD", SquareModule(0));
    ASSERT_EQ(ALoadModuleFile("SQUARE.MOD", &module_, 0), MODULE_OK);
    EXPECT_EQ(AOpenVoices(0), MODULE_ERR_BAD_VALUE);
    EXPECT_EQ(AOpenVoices(MaxModuleVoices + 1), MODULE_ERR_BAD_VALUE);
    ASSERT_EQ(AOpenVoices(2), MODULE_OK);
    EXPECT_EQ(APlayModule(module_), MODULE_ERR_NO_VOICES);
    EXPECT_EQ(APlayModule(nullptr), MODULE_ERR_BAD_VALUE);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(4410)));
}

// A real ProTracker module from a Debian game-data package, loose and from inside a larger file.
TEST_F(ModulePlayerTest, RealProTrackerModule) {
    if (!std::filesystem::exists(TecnoballzModule))
        GTEST_SKIP() << "tecnoballz-data is not installed";
    const Bytes module = ReadFile(TecnoballzModule);
    Bytes archive(4321, 0);
    archive.insert(archive.end(), module.begin(), module.end());
    WriteFile("AUDIO.ONE", archive);
    WriteFile("SOUND/TITEL.MOD", module);

    double loudness[2] = {};
    const struct {
        const char* file;
        DWORD position;
    } places[] = {{"SOUND\\TITEL.MOD", 0}, {"AUDIO.ONE", 4321}};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ALoadModuleFile(places[i].file, &module_, places[i].position), MODULE_OK);
        EXPECT_EQ(module_->trackCount, 4);
        ASSERT_EQ(AOpenVoices(module_->trackCount), MODULE_OK);
        ASSERT_EQ(APlayModule(module_), MODULE_OK);
        loudness[i] = Rms(HeadlessAudio::Render(44100 * 3));
        AStopModule();
        AFreeModuleFile(module_);
        module_ = nullptr;
    }
    EXPECT_GT(loudness[0], 300.0);
    EXPECT_DOUBLE_EQ(loudness[0], loudness[1]);
}

TEST(ModulePlayer, NoDeviceLoadsAndPlaysSilently) {
    HeadlessAudio::Reset();
    HeadlessAudio::SetDeviceAvailable(false);
    ScratchFolder folder;
    WriteFile("SQUARE.MOD", SquareModule(0));
    AInitialize();
    const AudioDeviceRecord device{AnyAudioDevice, 0x0101, 44100};
    EXPECT_EQ(AOpenAudio(&device), MODULE_ERR_NO_DEVICE);
    ModuleRecord* module = nullptr;
    ASSERT_EQ(ALoadModuleFile("SQUARE.MOD", &module, 0), MODULE_OK);
    EXPECT_EQ(AOpenVoices(4), MODULE_OK);
    EXPECT_EQ(APlayModule(module), MODULE_OK);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(4410)));
    AFreeModuleFile(module);
    HeadlessAudio::Reset();
}

}  // namespace
