// The display set-up with every failure it reports, presentation by flipping, the error box.
#include <gtest/gtest.h>

#include <ostream>

#include "display/display.h"
#include "display/random.h"
#include "platform/headless.h"
#include "platform/win_api.h"

namespace {

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { ShutDownDisplay(); }
    static int Init() { return InitDisplay(nullptr, "Trazo", 16, 640, 480, SW_SHOWNORMAL); }
    static bool AllPixels(Surface* surface, uint16_t value) {
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                if (ReadPixel(surface, x, y) != value) return false;
        return true;
    }
};

TEST_F(DisplayTest, SetUpLeavesABlackScreenAndAHiddenCursor) {
    Headless::AdvanceClock(4321);
    ASSERT_EQ(Init(), 1);
    ASSERT_NE(FrontBuffer, nullptr);
    ASSERT_NE(BackBuffer, nullptr);
    ASSERT_NE(AppWindow, nullptr);
    EXPECT_EQ(FrontBuffer->Width(), 640);
    EXPECT_EQ(FrontBuffer->Height(), 480);
    EXPECT_EQ(ScreenWidth, 640);
    EXPECT_EQ(ScreenHeight, 480);
    EXPECT_EQ(ScreenDepth, 16);
    EXPECT_TRUE(AllPixels(FrontBuffer, 0));
    EXPECT_FALSE(Headless::CursorVisible());
    EXPECT_TRUE(Headless::Boxes().empty());
    EXPECT_EQ(RandomState, 4321u);  // seeded from the clock
}

TEST_F(DisplayTest, GreenBitsFollowThePixelLayout) {
    for (int bits : {5, 6}) {
        Headless::Reset();
        Headless::SetGreenBits(bits);
        ASSERT_EQ(Init(), 1);
        EXPECT_EQ(GreenBits, bits);
        ShutDownDisplay();
    }
}

struct Failure {
    enum Step { Create, Cooperative, Mode, Chain } step;
    HRESULT result;
    const char* text;  // null: not reported, the set-up goes on
};

void PrintTo(const Failure& f, std::ostream* out) {
    *out << "step " << f.step << " result " << std::hex << static_cast<uint32_t>(f.result);
}

class DisplayFailureTest : public DisplayTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(DisplayFailureTest, IsReportedOnceUnderTheDisplayCaption) {
    const Failure& f = GetParam();
    switch (f.step) {
    case Failure::Create: Headless::FailDirectDrawCreate(f.result); break;
    case Failure::Cooperative: Headless::FailCooperativeLevel(f.result); break;
    case Failure::Mode: Headless::FailDisplayMode(f.result); break;
    case Failure::Chain: Headless::FailFlippingChain(f.result); break;
    }
    const int result = Init();
    if (f.text == nullptr) {
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(Headless::Boxes().empty());
        return;
    }
    EXPECT_EQ(result, 0);
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].text, f.text);
    EXPECT_EQ(Headless::Boxes()[0].caption, "Direct Draw");
    EXPECT_EQ(Headless::Boxes()[0].type, MB_ICONEXCLAMATION);
    EXPECT_TRUE(Headless::CursorVisible());  // the program is ending: the cursor stays
    EXPECT_EQ(FrontBuffer, nullptr);
    // Giving back what was made is safe whatever failed.
    ShutDownDisplay();
    EXPECT_EQ(DisplayObject, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, DisplayFailureTest,
    ::testing::Values(Failure{Failure::Create, DDERR_GENERIC, "Cannot be initialized!"},
                      Failure{Failure::Cooperative, DDERR_INVALIDOBJECT,
                              "SetCooperativeLevel failed!\nInvalid object!"},
                      Failure{Failure::Cooperative, DDERR_HWNDALREADYSET,
                              "SetCooperativeLevel failed!\nAlready set HWND!"},
                      Failure{Failure::Cooperative, DDERR_EXCLUSIVEMODEALREADYSET,
                              "SetCooperativeLevel failed!\nAlready set EXCLUSIVEMODE!"},
                      Failure{Failure::Cooperative, DDERR_HWNDSUBCLASSED,
                              "SetCooperativeLevel failed!\nHWND subclassed!"},
                      Failure{Failure::Cooperative, DDERR_OUTOFMEMORY,
                              "SetCooperativeLevel failed!\nOut of memory!"},
                      Failure{Failure::Cooperative, DDERR_INVALIDPARAMS,
                              "SetCooperativeLevel failed!\nInvalid params!"},
                      Failure{Failure::Cooperative, DDERR_GENERIC,
                              nullptr},  // not in the table: goes on
                      Failure{Failure::Mode, DDERR_GENERIC, "SetDisplayMode failed!\n1"},
                      Failure{Failure::Mode, DDERR_INVALIDMODE, "SetDisplayMode failed!\n2"},
                      Failure{Failure::Mode, DDERR_INVALIDOBJECT, "SetDisplayMode failed!\n3"},
                      Failure{Failure::Mode, DDERR_INVALIDPARAMS, "SetDisplayMode failed!\n4"},
                      Failure{Failure::Mode, DDERR_LOCKEDSURFACES, "SetDisplayMode failed!\n5"},
                      Failure{Failure::Mode, DDERR_NOEXCLUSIVEMODE, "SetDisplayMode failed!\n6"},
                      Failure{Failure::Mode, DDERR_SURFACEBUSY, "SetDisplayMode failed!\n7"},
                      Failure{Failure::Mode, DDERR_UNSUPPORTED, "SetDisplayMode failed!\n8"},
                      Failure{Failure::Mode, DDERR_UNSUPPORTEDMODE, "SetDisplayMode failed!\n9"},
                      Failure{Failure::Mode, DDERR_WASSTILLDRAWING, "SetDisplayMode failed!\n10"},
                      Failure{Failure::Mode, DDERR_OUTOFMEMORY, "SetDisplayMode failed!"},
                      Failure{Failure::Chain, DDERR_OUTOFMEMORY, "Cannot create Buffers!"}));

TEST_F(DisplayTest, PresentExchangesTheBuffers) {
    ASSERT_EQ(Init(), 1);
    ClearBackBuffer(0x1111);
    Present();
    EXPECT_TRUE(AllPixels(FrontBuffer, 0x1111));
    EXPECT_TRUE(AllPixels(BackBuffer, 0));  // the frame that was visible before
    ClearBackBuffer(0x2222);
    Present();
    Present();  // two flips without drawing: each buffer holds what it held before
    EXPECT_TRUE(AllPixels(FrontBuffer, 0x1111));
    EXPECT_TRUE(AllPixels(BackBuffer, 0x2222));
}

TEST_F(DisplayTest, PresentRestoresALostFrontBufferAndFlips) {
    ASSERT_EQ(Init(), 1);
    ClearBackBuffer(0x0F0F);
    FrontBuffer->SetLost(true, false);
    Present();
    EXPECT_EQ(FrontBuffer->IsLost(), DD_OK);
    EXPECT_EQ(ReadPixel(FrontBuffer, 10, 10), 0x0F0F);
}

TEST_F(DisplayTest, PresentGivesUpOnAFrontBufferThatStaysLost) {
    ASSERT_EQ(Init(), 1);
    FrontBuffer->SetLost(true, true);
    Present();  // returns
    EXPECT_EQ(FrontBuffer->IsLost(), DDERR_SURFACELOST);
}

TEST_F(DisplayTest, ErrorBoxShowsTheDesktopAndTheCursorWhileOpen) {
    ASSERT_EQ(Init(), 1);
    bool cursorDuringBox = false;
    Headless::OnBox([&](const Headless::Box&) { cursorDuringBox = Headless::CursorVisible(); });
    const int shows = Headless::DesktopShows();
    ShowError("Something", "Caption");
    EXPECT_TRUE(cursorDuringBox);
    EXPECT_FALSE(Headless::CursorVisible());
    EXPECT_EQ(Headless::DesktopShows(), shows + 1);
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].text, "Something");
}

TEST_F(DisplayTest, ErrorBoxWithoutADisplayStillShows) {
    ShowError("No display", "Error reading file");
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].caption, "Error reading file");
    EXPECT_EQ(Headless::DesktopShows(), 0);
}

TEST(RandomTest, FollowsTheLinearCongruentialSequence) {
    SeedRandom(0);
    EXPECT_EQ(NextRandom(), 0);  // state 12345 >> 16
    EXPECT_EQ(RandomState, 12345u);
    EXPECT_EQ(NextRandom(), 21468);  // (12345 * 1103515245 + 12345) mod 2^32 = 3554416254
    SeedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int value = NextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

}  // namespace
