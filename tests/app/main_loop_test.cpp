// The message loop's rules, the language choice and whole runs of the program on the headless
// back end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/main_loop.h"
#include "display/display.h"
#include "game/monsters.h"
#include "platform/headless.h"
#include "platform/win_api.h"
#include "support/temp_folder.h"

namespace {

int Calls = 0;
DWORD FirstCallTime = 0;
uint8_t FastGraphicsAtFirstCall = 0;

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless::Reset();
        ASSERT_EQ(InitDisplay(nullptr, "Trazo", 16, 640, 480, SW_SHOWNORMAL), 1);
        Calls = 0;
        FirstCallTime = 0;
        AppActive = 0;
        WasDeactivated = 0;
        FastGraphics = 0;
        StateProc = nullptr;
    }
    void TearDown() override {
        ShutDownDisplay();
        StateProc = nullptr;
    }
    // A fresh machine whose window is not activated when it is shown.
    static void RestartWithoutActivation() {
        ShutDownDisplay();
        Headless::Reset();
        Headless::SetActivateOnShow(false);
        ASSERT_EQ(InitDisplay(nullptr, "Trazo", 16, 640, 480, SW_SHOWNORMAL), 1);
    }
};

void EndsOnThirdCall() {
    if (++Calls == 3) StateProc = nullptr;
}

TEST_F(MainLoopTest, ANullProcedureEndsTheLoopWithExitCodeZero) {
    StateProc = EndsOnThirdCall;
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(Calls, 3);
    EXPECT_FALSE(Headless::Starved());
}

TEST_F(MainLoopTest, ANullProcedureEndsTheLoopEvenWhileInactive) {
    RestartWithoutActivation();
    StateProc = nullptr;
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(AppActive, 0u);
    EXPECT_FALSE(Headless::Starved());
}

void RecordsFirstCall() {
    if (Calls++ == 0) {
        FirstCallTime = Headless::Now();
        FastGraphicsAtFirstCall = FastGraphics;
    }
    if (Calls == 5) StateProc = nullptr;
}

TEST_F(MainLoopTest, NoScreenRunsBeforeTheFirstActivation) {
    RestartWithoutActivation();
    Headless::At(50, [] { Headless::Activate(true); });
    StateProc = RecordsFirstCall;
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(Calls, 5);
    EXPECT_EQ(FirstCallTime, 50u);  // the loop waited for the activation
}

TEST_F(MainLoopTest, AnInactiveProgramWaitsAndResumesWhereItStood) {
    StateProc = [] {
        ++Calls;
        if (Calls == 2) Headless::Activate(false);  // handled before the next call
        if (Calls == 3) {
            FirstCallTime = Headless::Now();
            StateProc = nullptr;
        }
    };
    Headless::At(200, [] { Headless::Activate(true); });
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(Calls, 3);
    EXPECT_EQ(FirstCallTime, 200u);
    EXPECT_EQ(WasDeactivated, 1);
}

TEST_F(MainLoopTest, QueuedMessagesAreHandledBeforeTheScreenRuns) {
    // Three presses of F2 are queued behind the activation: all are handled before the first
    // call, so the flag has toggled three times.
    Headless::PressKey(VK_F2);
    Headless::PressKey(VK_F2);
    Headless::PressKey(VK_F2);
    StateProc = RecordsFirstCall;
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(FastGraphicsAtFirstCall, 0xFF);
}

TEST_F(MainLoopTest, AHotKeyPressedWhileAScreenWaitsActsAfterItReturns) {
    StateProc = [] {
        if (Calls++ == 0) {
            // The screen waits inside its call for Esc to be released; F2 comes meanwhile.
            Headless::SetClockStep(1);
            Headless::SetKeyDown(VK_ESCAPE, true);
            Headless::At(Headless::Now() + 5, [] { Headless::PressKey(VK_F2); });
            Headless::At(Headless::Now() + 10, [] { Headless::ReleaseKey(VK_ESCAPE); });
            while (IsKeyDown(VK_ESCAPE)) {
            }
            FastGraphicsAtFirstCall = FastGraphics;
            return;
        }
        StateProc = nullptr;
    };
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(FastGraphicsAtFirstCall, 0);  // not yet during the wait
    EXPECT_EQ(FastGraphics, 0xFF);          // but before the next call
}

TEST_F(MainLoopTest, ClosingTheWindowEndsTheLoop) {
    StateProc = [] {
        if (++Calls == 2) Headless::CloseWindow();
    };
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(Calls, 2);
}

TEST_F(MainLoopTest, IsKeyDownFollowsTheKeyAtTheMomentOfTheCall) {
    EXPECT_EQ(IsKeyDown(VK_SPACE), 0);
    Headless::SetKeyDown(VK_SPACE, true);
    EXPECT_EQ(IsKeyDown(VK_SPACE), 1);
    Headless::SetKeyDown(VK_SPACE, false);
    EXPECT_EQ(IsKeyDown(VK_SPACE), 0);
}

TEST(LanguageTest, GermanOfAnyCountryIsGerman) {
    struct {
        LANGID id;
        int german;
    } cases[] = {{0x0407, 1}, {0x0807, 1}, {0x0C07, 1}, {0x0409, 0}, {0x0809, 0},
                 {0x040C, 0}, {0x0000, 0}, {0x0007, 1}, {0xFC07, 1}, {0x0417, 0}};
    for (const auto& c : cases) EXPECT_EQ(IsGermanLanguage(c.id), c.german) << std::hex << c.id;
}

class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::string(value) : std::string("\x01"));
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value == "\x01")
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), value.c_str(), 1);
        }
    }
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(LocaleTest, TheLanguageComesFromTheFirstLocaleVariableSet) {
    struct {
        const char* all;
        const char* messages;
        const char* lang;
        LANGID id;
    } cases[] = {
        {nullptr, nullptr, nullptr, 0x0409},       {nullptr, nullptr, "de_DE.UTF-8", 0x0407},
        {nullptr, nullptr, "de_AT", 0x0407},       {nullptr, nullptr, "en_GB.UTF-8", 0x0409},
        {nullptr, "de_CH.UTF-8", "en_US", 0x0407}, {"en_US.UTF-8", "de_DE", "de_DE", 0x0409},
        {"de", nullptr, "fr_FR", 0x0407},          {"", "", "de_DE", 0x0407},
        {nullptr, nullptr, "C", 0x0409},           {nullptr, nullptr, "dk_DK", 0x0409},
    };
    for (const auto& c : cases) {
        const char* values[3] = {c.all, c.messages, c.lang};
        const char* names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                setenv(names[i], values[i], 1);
            else
                unsetenv(names[i]);
        }
        EXPECT_EQ(GetUserDefaultLangID(), c.id)
            << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

// Whole runs of the program, from the entry point to its exit code, in an empty folder of their
// own: no data files are found there, whatever other tests leave beside them.
class ProgramTest : public LocaleTest {
protected:
    void SetUp() override {
        LocaleTest::SetUp();
        Headless::Reset();
        Headless::SetClockStep(1);
    }
    TempFolder folder_{"program"};
};

TEST_F(ProgramTest, OpensOnItsFirstScreenAndEndsInOrderOnEsc) {
    setenv("LANG", "de_DE.UTF-8", 1);
    Headless::At(100, [] { Headless::PressKey(VK_ESCAPE); });
    Headless::At(150, [] { Headless::ReleaseKey(VK_ESCAPE); });
    EXPECT_EQ(RunWinMain(WinMain), 0);
    EXPECT_EQ(IsEnglish, 0);
    EXPECT_FALSE(Headless::Starved());
    EXPECT_GT(Headless::Now(), 150u);
    // Shut down in order: every display object given back.
    EXPECT_EQ(FrontBuffer, nullptr);
    EXPECT_EQ(DisplayObject, nullptr);
    EXPECT_EQ(StateProc, nullptr);
}

TEST_F(ProgramTest, EndsWhenTheWindowIsClosed) {
    setenv("LANG", "en_US.UTF-8", 1);
    Headless::At(300, [] { Headless::CloseWindow(); });
    EXPECT_EQ(RunWinMain(WinMain), 0);
    EXPECT_EQ(IsEnglish, 1);
    EXPECT_FALSE(Headless::Starved());
    EXPECT_EQ(FrontBuffer, nullptr);
}

TEST_F(ProgramTest, AFailedDisplayShowsItsBoxAndEndsWithoutTouchingTheDisplay) {
    Headless::FailDisplayMode(DDERR_UNSUPPORTEDMODE);
    EXPECT_EQ(RunWinMain(WinMain), 0);
    // The display's box comes first; without data files the effects name theirs after it.
    ASSERT_GE(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].text, "SetDisplayMode failed!\n9");
    EXPECT_EQ(Headless::Boxes()[0].caption, "Direct Draw");
    EXPECT_FALSE(Headless::Starved());
    EXPECT_EQ(DisplayObject, nullptr);
}

TEST_F(ProgramTest, NoDisplayObjectAtAllEndsCleanly) {
    Headless::FailDirectDrawCreate(DDERR_GENERIC);
    EXPECT_EQ(RunWinMain(WinMain), 0);
    ASSERT_GE(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].text, "Cannot be initialized!");
}

}  // namespace
