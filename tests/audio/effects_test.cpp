// The six effects heard through the headless mix: play, replay, F9, two at once, missing files,
// no device, and WAV files written by sox.
#include "audio/effects.h"

#include <gtest/gtest.h>

#include "app/window_proc.h"
#include "archive/archive_writer.h"
#include "audio/wave_file.h"
#include "audio_test_support.h"
#include "platform/headless.h"
#include "platform/headless_audio.h"
#include "platform/win_api.h"

using namespace audio_test;

namespace {

constexpr const char* Names[EffectCount] = {"CLICK.WAV", "MONSTER.WAV", "GEFUELLT.WAV",
                                            "LOS.WAV",   "TOT.WAV",     "LEBEN.WAV"};

// Every sample of the stretch equals level.
bool AllAt(const std::vector<int16_t>& samples, int16_t level) {
    for (int16_t s : samples)
        if (s != level) return false;
    return true;
}

class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        HeadlessAudio::Reset();
        EffectsOff = 0;
    }
    void TearDown() override {
        ReleaseEffects();
        EffectsOff = 0;
        HeadlessAudio::Reset();
    }
    // Each effect a constant level of its own, 1000 frames long (about 23 ms).
    void WriteAll(int16_t levels[EffectCount]) {
        for (int i = 0; i < EffectCount; ++i) WriteFile(Names[i], LevelWave(levels[i], 1000));
    }
    ScratchFolder folder_;
};

TEST_F(EffectsTest, EachPlayOperationSoundsItsOwnEffect) {
    int16_t levels[EffectCount] = {100, 200, 300, 400, 500, 600};
    WriteAll(levels);
    ASSERT_EQ(LoadEffects(), 1);
    for (int i = 0; i < EffectCount; ++i) EXPECT_NE(EffectBuffers[i], nullptr) << Names[i];
    EXPECT_TRUE(Headless::Boxes().empty());

    EXPECT_TRUE(Silent(HeadlessAudio::Render(200)));
    struct {
        void (*play)();
        int16_t level;
    } plays[] = {
        {PlayClick, 100}, {PlayFilled, 300}, {PlayGo, 400}, {PlayDeath, 500}, {PlayExtraLife, 600}};
    for (const auto& p : plays) {
        SCOPED_TRACE(p.level);
        p.play();
        EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), p.level));
        // Played once: then it is over.
        EXPECT_TRUE(Silent(HeadlessAudio::Render(500)));
    }
}

TEST_F(EffectsTest, ReplayRestartsAndTwoEffectsSoundTogether) {
    int16_t levels[EffectCount] = {1000, 1, 2, 2000, 4, 30000};
    WriteAll(levels);
    ASSERT_EQ(LoadEffects(), 1);

    const int locks = HeadlessAudio::LockCount();
    PlayClick();
    EXPECT_GT(HeadlessAudio::LockCount(), locks);  // the device thread never sees half a start
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(600), 1000));
    PlayClick();  // from its beginning again: 1000 more frames, not 400
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), 1000));
    EXPECT_TRUE(Silent(HeadlessAudio::Render(100)));

    PlayClick();
    PlayGo();
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), 3000));
    // Loud effects together saturate instead of wrapping round.
    PlayExtraLife();
    PlayGo();
    PlayClick();
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), 32767));
}

TEST_F(EffectsTest, EffectsOffKeepsNewEffectsSilentButF9DoesNotCutOne) {
    int16_t levels[EffectCount] = {1000, 1, 2, 3, 4, 5};
    WriteAll(levels);
    ASSERT_EQ(LoadEffects(), 1);

    PlayClick();
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(300), 1000));
    WindowProc(nullptr, WM_KEYDOWN, VK_F9, 1);
    ASSERT_NE(EffectsOff, 0);
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(700), 1000));  // plays to its end
    PlayClick();
    PlayGo();
    EXPECT_TRUE(Silent(HeadlessAudio::Render(1000)));

    WindowProc(nullptr, WM_KEYDOWN, VK_F9, 1);
    ASSERT_EQ(EffectsOff, 0);
    PlayClick();
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), 1000));
}

TEST_F(EffectsTest, MissingFileCostsOnlyItsBox) {
    int16_t levels[EffectCount] = {1000, 1, 2, 3, 4, 5};
    WriteAll(levels);
    std::filesystem::remove("MONSTER.WAV");
    // A file that is there but is no WAV file stays silent without a word.
    WriteFile("LOS.WAV", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
    ASSERT_EQ(LoadEffects(), 1);

    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].text, "MONSTER.WAV");
    EXPECT_EQ(Headless::Boxes()[0].caption, "Error reading file");
    EXPECT_EQ(EffectBuffers[MonsterEffect], nullptr);
    EXPECT_EQ(EffectBuffers[GoEffect], nullptr);
    PlayGo();
    EXPECT_TRUE(Silent(HeadlessAudio::Render(500)));
    PlayClick();
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), 1000));
}

TEST_F(EffectsTest, WithoutDeviceNothingLoadsAndNothingSounds) {
    int16_t levels[EffectCount] = {1000, 1, 2, 3, 4, 5};
    WriteAll(levels);
    HeadlessAudio::SetDeviceAvailable(false);
    EXPECT_EQ(LoadEffects(), 0);
    EXPECT_EQ(SoundObject, nullptr);
    for (IDirectSoundBuffer* buffer : EffectBuffers) EXPECT_EQ(buffer, nullptr);
    PlayClick();
    PlayDeath();
    EXPECT_FALSE(HeadlessAudio::DeviceOpen());
    EXPECT_TRUE(Silent(HeadlessAudio::Render(500)));
    EXPECT_TRUE(Headless::Boxes().empty());
}

TEST_F(EffectsTest, EffectFromArchiveEntry) {
    std::string error;
    ASSERT_TRUE(WriteArchiveFile(
        "DATA.ONE", {{"README", Bytes(333, 7)}, {"CLICK.WAV", LevelWave(-1234, 1000)}}, &error))
        << error;
    ASSERT_TRUE(InitSound());
    LoadEffect("CLICK.WAV", &EffectBuffers[ClickEffect]);
    ASSERT_NE(EffectBuffers[ClickEffect], nullptr);
    PlayClick();
    EXPECT_TRUE(AllAt(HeadlessAudio::Render(1000), -1234));
    EXPECT_TRUE(Silent(HeadlessAudio::Render(10)));
}

// sox's 16-bit stereo at the mix rate is heard sample for sample; 8-bit mono at 11025 Hz lasts
// four times as many frames in the mix; a floating-point file is no format the buffers play.
TEST_F(EffectsTest, FilesWrittenBySox) {
    if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
    ASSERT_TRUE(RunCommand("sox -n -r 44100 -b 16 -c 2 CLICK.WAV synth 0.05 sine 440 sine 660"));
    ASSERT_TRUE(RunCommand("sox -n -r 11025 -b 8 -c 1 LOS.WAV synth 0.1 square 300"));
    ASSERT_TRUE(
        RunCommand("sox -n -r 22050 -e floating-point -b 32 -c 1 TOT.WAV synth 0.1 sine 440"));
    ASSERT_TRUE(InitSound());
    LoadEffect("CLICK.WAV", &EffectBuffers[ClickEffect]);
    LoadEffect("LOS.WAV", &EffectBuffers[GoEffect]);
    LoadEffect("TOT.WAV", &EffectBuffers[DeathEffect]);
    ASSERT_NE(EffectBuffers[ClickEffect], nullptr);
    ASSERT_NE(EffectBuffers[GoEffect], nullptr);
    EXPECT_EQ(EffectBuffers[DeathEffect], nullptr);

    const Bytes file = ReadFile("CLICK.WAV");
    WaveInfo info{};
    ASSERT_EQ(ParseWave(file.data(), file.size(), &info), 1);
    std::vector<int16_t> expected(info.dataSize / 2);
    std::memcpy(expected.data(), info.data, expected.size() * 2);
    PlayClick();
    EXPECT_EQ(HeadlessAudio::Render(static_cast<int>(expected.size() / 2)), expected);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(100)));

    PlayGo();
    const std::vector<int16_t> go = HeadlessAudio::Render(44100 / 10 + 100);
    size_t last = 0;
    for (size_t i = 0; i < go.size(); ++i)
        if (go[i] != 0) last = i / 2;
    EXPECT_GE(last, 4400u);
    EXPECT_LE(last, 4412u);  // 1103 frames at 11025 Hz
    EXPECT_GT(Rms(go, 0, 8000), 10000.0);

    PlayDeath();
    EXPECT_TRUE(Silent(HeadlessAudio::Render(1000)));
}

}  // namespace
