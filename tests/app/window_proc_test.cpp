// The window procedure: activation and the restore of the buffers, the quit on destroy, the
// hidden cursor and the hot keys.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_loop.h"
#include "app/window_proc.h"
#include "audio/effects.h"
#include "audio/music.h"
#include "display/display.h"
#include "game/monsters.h"
#include "platform/headless.h"
#include "platform/win_api.h"
#include "support/temp_folder.h"

namespace {

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        Headless::SetActivateOnShow(false);
        ASSERT_EQ(InitDisplay(nullptr, "Trazo", 16, 640, 480, SW_SHOWNORMAL), 1);
        AppActive = 0;
        WasDeactivated = 0;
        FastGraphics = 0;
        MusicOff = 0;
        EffectsOff = 0;
        DumpCounter = 0;
        IsEnglish = 1;
    }
    void TearDown() override { ShutDownDisplay(); }
    static void Send(UINT message, WPARAM wParam) { WindowProc(AppWindow, message, wParam, 0); }
    static void Key(int key) { Send(WM_KEYDOWN, static_cast<WPARAM>(key)); }
    // Screen dumps are written here, and data files are looked for (and not found) here.
    TempFolder folder_{"window"};
    static bool NextMessageIsQuit() {
        MSG msg{};
        return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_QUIT &&
               msg.wParam == 0;
    }
};

TEST_F(WindowProcTest, TheFirstActivationRestoresNothing) {
    FrontBuffer->SetLost(true, false);
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(AppActive, 1u);
    EXPECT_EQ(WasDeactivated, 0);
    EXPECT_EQ(FrontBuffer->IsLost(), DDERR_SURFACELOST);
}

TEST_F(WindowProcTest, ActivationAfterADeactivationRestoresBothBuffers) {
    Send(WM_ACTIVATEAPP, 1);
    Send(WM_ACTIVATEAPP, 0);
    EXPECT_EQ(AppActive, 0u);
    EXPECT_EQ(WasDeactivated, 1);
    FrontBuffer->SetLost(true, false);  // losing the front buffer loses its back buffer too
    EXPECT_EQ(BackBuffer->IsLost(), DDERR_SURFACELOST);
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(AppActive, 1u);
    EXPECT_EQ(FrontBuffer->IsLost(), DD_OK);
    EXPECT_EQ(BackBuffer->IsLost(), DD_OK);
    // Every later activation restores as well; the flag is never cleared.
    Send(WM_ACTIVATEAPP, 0);
    BackBuffer->SetLost(true, false);
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(BackBuffer->IsLost(), DD_OK);
    EXPECT_EQ(WasDeactivated, 1);
}

TEST_F(WindowProcTest, DestroyPostsTheQuitMessage) {
    Send(WM_DESTROY, 0);
    EXPECT_TRUE(NextMessageIsQuit());
}

TEST_F(WindowProcTest, SetCursorHidesTheCursor) {
    ShowCursor(1);
    ASSERT_TRUE(Headless::CursorVisible());
    Send(WM_SETCURSOR, 0);
    EXPECT_FALSE(Headless::CursorVisible());
}

TEST_F(WindowProcTest, FlagKeysToggleWithEveryPressIncludingRepeats) {
    Key(VK_F2);
    EXPECT_EQ(FastGraphics, 0xFF);
    Key(VK_F2);
    EXPECT_EQ(FastGraphics, 0);
    Key(VK_F9);
    EXPECT_EQ(EffectsOff, 0xFF);
    Key(VK_F9);
    Key(VK_F9);
    EXPECT_EQ(EffectsOff, 0xFF);
    Key(VK_F8);
    EXPECT_EQ(MusicOff, 1);
    Key(VK_F8);
    EXPECT_EQ(MusicOff, 0);
    // Other keys do nothing here: the screens poll them. (F8 has started the game music, which
    // is not found here: its box is the only one.)
    const size_t boxes = Headless::Boxes().size();
    for (int key : {VK_ESCAPE, VK_RETURN, VK_SPACE, int{'P'}, VK_LEFT, VK_F3, VK_F10, VK_F12})
        Key(key);
    EXPECT_EQ(FastGraphics, 0);
    EXPECT_EQ(EffectsOff, 0xFF);
    EXPECT_EQ(MusicOff, 0);
    EXPECT_EQ(Headless::Boxes().size(), boxes);
    EXPECT_EQ(DumpCounter, 0);
}

TEST_F(WindowProcTest, HelpBoxInEitherLanguage) {
    bool cursorDuringBox = false;
    Headless::OnBox([&](const Headless::Box&) { cursorDuringBox = Headless::CursorVisible(); });
    Key(VK_F1);
    IsEnglish = 0;
    Key(VK_F1);
    ASSERT_EQ(Headless::Boxes().size(), 2u);
    const Headless::Box& english = Headless::Boxes()[0];
    const Headless::Box& german = Headless::Boxes()[1];
    EXPECT_EQ(english.caption, "Trazo - Help");
    EXPECT_EQ(english.type, MB_ICONQUESTION);
    EXPECT_EQ(english.text,
              "Trazo for Windows 95\n\nFill the screen to 75%! But don't move in the way of a "
              "monster and don't cross your own line ...\n\nControlkeys:\n\nESC\texit "
              "game\nF1\thelp\nF2\tslower/faster graphics\nF8\tmusic on/off\nF9\tsoundeffects "
              "on/off\nF11\tsave screendump\ncursorkeys to move\np\tpause game\n");
    EXPECT_EQ(german.caption, "Trazo - Hilfe");
    EXPECT_EQ(german.type, MB_ICONQUESTION);
    // The umlauts are single code page 1252 bytes.
    EXPECT_EQ(german.text.substr(0, 20), "Trazo f\xFCr Windows 95");
    EXPECT_NE(german.text.find("\n\nF\xFCllen Sie den Bildschirm zu 75%! Treffen Sie dabei nicht "
                               "ihren eigenen Weg oder ein Monster ...\n\n"),
              std::string::npos);
    EXPECT_NE(german.text.find("F11\tScreenshot speichern\nCursortasten um zu steuern\np\t"
                               "Spielpause\n"),
              std::string::npos);
    EXPECT_TRUE(cursorDuringBox);
    EXPECT_FALSE(Headless::CursorVisible());
    EXPECT_EQ(Headless::DesktopShows(), 2);
}

using ScreenDumpKeyTest = WindowProcTest;

TEST_F(ScreenDumpKeyTest, DumpsAreNumberedFromZeroInEachRun) {
    Key(VK_F11);
    Key(VK_F11);
    Key(VK_F11);
    EXPECT_EQ(DumpCounter, 3);
    for (const char* name : {"TZDMP000.BMP", "TZDMP001.BMP", "TZDMP002.BMP"})
        EXPECT_TRUE(std::filesystem::is_regular_file(name)) << name;
    EXPECT_FALSE(std::filesystem::exists("TZDMP003.BMP"));
    // The dump is of what the display shows: 54 header bytes and the 640 x 480 pixels.
    EXPECT_EQ(std::filesystem::file_size("TZDMP000.BMP"), 54u + 640u * 480u * 2u);
}

TEST_F(ScreenDumpKeyTest, NumbersGrowPastThreeDigitsUntilTheNameNoLongerFits) {
    DumpCounter = 1000;
    Key(VK_F11);
    EXPECT_TRUE(std::filesystem::is_regular_file("TZDMP1000.BMP"));
    DumpCounter = 999999;
    Key(VK_F11);  // TZDMP999999.BMP still fits the name buffer
    EXPECT_TRUE(std::filesystem::is_regular_file("TZDMP999999.BMP"));
    EXPECT_EQ(DumpCounter, 1000000);
    Key(VK_F11);  // TZDMP1000000.BMP does not: no dump, no overflow, the count goes on
    EXPECT_EQ(DumpCounter, 1000001);
    EXPECT_FALSE(std::filesystem::exists("TZDMP1000000.BMP"));
}

}  // namespace
