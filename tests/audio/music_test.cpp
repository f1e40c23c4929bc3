// The three modules heard through the headless mix: where each is loaded from, its volume,
// stopping and restarting, F8, and the boxes that ask whether to go on without music.
#include "audio/music.h"

#include <gtest/gtest.h>

#include "app/window_proc.h"
#include "archive/archive_writer.h"
#include "audio_test_support.h"
#include "display/surface.h"
#include "platform/headless.h"
#include "platform/headless_audio.h"
#include "platform/win_api.h"

using namespace audio_test;

namespace {

// The square module with a name of its own, so a test can tell which file was loaded.
Bytes NamedModule(const char* name, int noteRow = 0) {
    Bytes module = SquareModule(noteRow);
    std::memset(module.data(), 0, 20);
    std::memcpy(module.data(), name, std::strlen(name));
    return module;
}

bool QuitPosted() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) return true;
    return false;
}

// About one module row (120 ms) of silence at the start tells the module's beginning.
constexpr int RowFrames = 44100 * 120 / 1000;

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        HeadlessAudio::Reset();
        MusicOff = 0;
        CurrentModule = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &DisplayObject, nullptr), DD_OK);
    }
    void TearDown() override {
        ShutdownMusic();
        if (CurrentModule) AFreeModuleFile(CurrentModule);
        CurrentModule = nullptr;
        MusicOff = 0;
        HeadlessAudio::Reset();
        DisplayObject->Release();
        DisplayObject = nullptr;
    }
    std::string Loaded() const { return CurrentModule ? CurrentModule->name : "(none)"; }
    ScratchFolder folder_;
};

TEST_F(MusicTest, ExitModuleIsLouderThanTitleModule) {
    WriteFile("SOUND/TITEL.MOD", NamedModule("title"));
    WriteFile("SOUND/WERBE.MOD", NamedModule("exit"));
    InitMusic();
    PlayTitleMusic();
    ASSERT_EQ(Loaded(), "title");
    EXPECT_EQ(CurrentModule->trackCount, 4);
    const double title = Rms(HeadlessAudio::Render(44100));
    PlayExitMusic();
    ASSERT_EQ(Loaded(), "exit");
    const double exit = Rms(HeadlessAudio::Render(44100));
    EXPECT_GT(title, 1000.0);
    EXPECT_NEAR(exit / title, 64.0 / 48.0, 0.03);
    EXPECT_TRUE(Headless::Boxes().empty());
}

TEST_F(MusicTest, StopsAndStartsAgainFromItsBeginning) {
    WriteFile("SOUND/SPIEL.MOD", NamedModule("game", 4));  // four silent rows first
    InitMusic();
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        PlayGameMusic();  // the second time: stopped, freed and loaded again
        ASSERT_EQ(Loaded(), "game");
        EXPECT_TRUE(Silent(HeadlessAudio::Render(3 * RowFrames)));
        EXPECT_GT(Rms(HeadlessAudio::Render(8 * RowFrames), 4 * RowFrames * 2), 1000.0);
    }
    StopMusic();
    EXPECT_EQ(CurrentModule, nullptr);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(RowFrames)));
    PlayGameMusic();
    EXPECT_TRUE(Silent(HeadlessAudio::Render(3 * RowFrames)));
}

TEST_F(MusicTest, MusicOffAndF8) {
    WriteFile("SOUND/TITEL.MOD", NamedModule("title"));
    WriteFile("SOUND/SPIEL.MOD", NamedModule("game"));
    InitMusic();
    PlayTitleMusic();
    WindowProc(nullptr, WM_KEYDOWN, VK_F8, 1);
    EXPECT_NE(MusicOff, 0);
    EXPECT_EQ(CurrentModule, nullptr);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(RowFrames)));
    for (void (*start)() : {PlayTitleMusic, PlayGameMusic, PlayExitMusic}) start();
    EXPECT_EQ(CurrentModule, nullptr);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(RowFrames)));

    // F8 again always brings the game module, whatever played before.
    WindowProc(nullptr, WM_KEYDOWN, VK_F8, 1);
    EXPECT_EQ(MusicOff, 0);
    EXPECT_EQ(Loaded(), "game");
    EXPECT_GT(Rms(HeadlessAudio::Render(RowFrames)), 1000.0);
}

// The loose file under SOUND wins; without it the module comes from AUDIO.ONE at the entry's
// position; a module found only elsewhere is still asked of AUDIO.ONE, at the position the
// lookup reported, and so fails to load.
TEST_F(MusicTest, WhereTheModuleIsLoadedFrom) {
    std::string error;
    ASSERT_TRUE(WriteArchiveFile(
        "AUDIO.ONE",
        {{"SPIEL.MOD", NamedModule("archived game")}, {"TITEL.MOD", NamedModule("archived title")}},
        &error))
        << error;
    WriteFile("SOUND/TITEL.MOD", NamedModule("loose title"));
    InitMusic();
    PlayTitleMusic();
    EXPECT_EQ(Loaded(), "loose title");
    PlayGameMusic();
    EXPECT_EQ(Loaded(), "archived game");
    EXPECT_GT(Rms(HeadlessAudio::Render(RowFrames)), 1000.0);
    std::filesystem::remove("SOUND/TITEL.MOD");
    PlayTitleMusic();
    EXPECT_EQ(Loaded(), "archived title");
    EXPECT_TRUE(Headless::Boxes().empty());

    // WERBE.MOD in DATA.ONE, then loose in the current directory: both times AUDIO.ONE is read,
    // at the other file's position and at 0, where no module starts.
    ASSERT_TRUE(WriteArchiveFile("DATA.ONE", {{"WERBE.MOD", NamedModule("elsewhere")}}, &error));
    PlayExitMusic();
    WriteFile("WERBE.MOD", NamedModule("loose here"));
    std::filesystem::remove("DATA.ONE");
    PlayExitMusic();
    ASSERT_EQ(Headless::Boxes().size(), 2u);
    for (const Headless::Box& box : Headless::Boxes()) {
        EXPECT_EQ(box.text, "Unable to load music!");
        EXPECT_EQ(box.caption, "MOD");
        EXPECT_EQ(box.type, MB_OKCANCEL);
    }
    EXPECT_EQ(CurrentModule, nullptr);
    EXPECT_TRUE(Silent(HeadlessAudio::Render(RowFrames)));
    EXPECT_FALSE(QuitPosted());
}

// Shutting down closes the output only when a module is held; without one it makes no call.
TEST_F(MusicTest, ShutdownClosesTheOutputOnlyWithAModule) {
    InitMusic();
    ShutdownMusic();
    EXPECT_TRUE(HeadlessAudio::DeviceOpen());
    WriteFile("SOUND/TITEL.MOD", NamedModule("title"));
    PlayTitleMusic();
    ShutdownMusic();
    EXPECT_EQ(CurrentModule, nullptr);
    EXPECT_FALSE(HeadlessAudio::DeviceOpen());
}

TEST_F(MusicTest, NoModuleAnywhereIsSilentWithoutABox) {
    InitMusic();
    PlayTitleMusic();
    EXPECT_EQ(CurrentModule, nullptr);
    EXPECT_TRUE(Headless::Boxes().empty());
    EXPECT_TRUE(Silent(HeadlessAudio::Render(RowFrames)));
}

// OK goes on without music; Cancel also posts the quit message. The box is shown over the
// desktop.
TEST_F(MusicTest, FailureBoxesAndCancel) {
    WriteFile("SOUND/TITEL.MOD", Bytes(3000, 0x42));  // no module libxmp knows
    WriteFile("SOUND/SPIEL.MOD", NamedModule("game"));
    InitMusic();
    for (int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer);
        const int shows = Headless::DesktopShows();
        Headless::AnswerNextBox(answer);
        PlayTitleMusic();
        ASSERT_FALSE(Headless::Boxes().empty());
        EXPECT_EQ(Headless::Boxes().back().text, "Unable to load music!");
        EXPECT_EQ(Headless::DesktopShows(), shows + 1);
        EXPECT_EQ(CurrentModule, nullptr);
        EXPECT_EQ(QuitPosted(), answer == IDCANCEL);
    }

    // Without the library set up, the module loads but does not play.
    HeadlessAudio::Reset();
    for (int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer);
        Headless::AnswerNextBox(answer);
        PlayGameMusic();
        EXPECT_EQ(Headless::Boxes().back().text, "Unable to play music!");
        EXPECT_EQ(Headless::Boxes().back().caption, "MOD");
        EXPECT_EQ(Headless::Boxes().back().type, MB_OKCANCEL);
        EXPECT_EQ(CurrentModule, nullptr);
        EXPECT_EQ(QuitPosted(), answer == IDCANCEL);
    }
    EXPECT_EQ(Headless::Boxes().size(), 4u);
}

TEST_F(MusicTest, NoDeviceRunsSilentWithoutABox) {
    HeadlessAudio::SetDeviceAvailable(false);
    WriteFile("SOUND/TITEL.MOD", NamedModule("title"));
    InitMusic();
    PlayTitleMusic();
    EXPECT_EQ(Loaded(), "title");
    EXPECT_TRUE(Headless::Boxes().empty());
    EXPECT_TRUE(Silent(HeadlessAudio::Render(RowFrames)));
}

// A real ProTracker module from a Debian game-data package, as an entry of AUDIO.ONE.
TEST_F(MusicTest, RealModuleFromAudioArchive) {
    const char* real = "/usr/share/games/tecnoballz/musics/over-theme.mod";
    if (!std::filesystem::exists(real)) GTEST_SKIP() << "tecnoballz-data is not installed";
    std::string error;
    ASSERT_TRUE(WriteArchiveFile(
        "AUDIO.ONE", {{"CLICK.WAV", Bytes(999, 1)}, {"TITEL.MOD", ReadFile(real)}}, &error));
    InitMusic();
    PlayTitleMusic();
    ASSERT_NE(CurrentModule, nullptr);
    EXPECT_GT(Rms(HeadlessAudio::Render(44100 * 2)), 300.0);
}

}  // namespace
