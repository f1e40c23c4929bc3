// The SDL back end with SDL's dummy video driver: SDL events become the program's messages and key
// state, without dispatching, and the display comes up.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/main_loop.h"
#include "display/display.h"
#include "platform/win_api.h"

namespace {

class SdlBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(InitDisplay(nullptr, "Trazo", 16, 640, 480, SW_SHOWNORMAL), 1);
    }
    static void TearDownTestSuite() { ShutDownDisplay(); }
    void SetUp() override { Drain(); }

    // Takes every queued message off the queue, without dispatching.
    static std::vector<MSG> Drain() {
        std::vector<MSG> messages;
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) messages.push_back(msg);
        return messages;
    }
    static void PushKey(Uint32 type, SDL_Keycode sym, bool repeat = false) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(SDL_GetKeyboardFocus());
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.sym = sym;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    static void PushWindowEvent(Uint8 kind) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = kind;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
};

TEST_F(SdlBackendTest, TheDisplayIsUpIn565) {
    ASSERT_NE(FrontBuffer, nullptr);
    EXPECT_EQ(GreenBits, 6);
    ClearBackBuffer(0x1234);
    Present();
    EXPECT_EQ(ReadPixel(FrontBuffer, 5, 5), 0x1234);
}

TEST_F(SdlBackendTest, KeyStateFollowsEventsAtEveryPollWhileMessagesStayQueued) {
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(IsKeyDown(VK_ESCAPE), 1);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE, true);  // auto-repeat
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_EQ(IsKeyDown(VK_ESCAPE), 0);  // a busy-wait sees the release
    const std::vector<MSG> messages = Drain();
    ASSERT_EQ(messages.size(), 2u);  // both key-downs are still there for the window procedure
    for (const MSG& msg : messages) {
        EXPECT_EQ(msg.message, WM_KEYDOWN);
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
    }
    EXPECT_EQ(messages[0].lParam & (LPARAM{1} << 30), 0);
    EXPECT_NE(messages[1].lParam & (LPARAM{1} << 30), 0);
}

TEST_F(SdlBackendTest, KeysMapToVirtualKeyCodes) {
    const struct {
        SDL_Keycode sym;
        int key;
    } cases[] = {{SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},
                 {SDLK_RIGHT, VK_RIGHT},   {SDLK_DOWN, VK_DOWN},
                 {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
                 {SDLK_SPACE, VK_SPACE},   {SDLK_p, 'P'},
                 {SDLK_F1, VK_F1},         {SDLK_F2, VK_F2},
                 {SDLK_F8, VK_F8},         {SDLK_F9, VK_F9},
                 {SDLK_F11, VK_F11},       {SDLK_ESCAPE, VK_ESCAPE}};
    for (const auto& c : cases) {
        PushKey(SDL_KEYDOWN, c.sym);
        EXPECT_EQ(IsKeyDown(c.key), 1) << SDL_GetKeyName(c.sym);
        PushKey(SDL_KEYUP, c.sym);
        EXPECT_EQ(IsKeyDown(c.key), 0) << SDL_GetKeyName(c.sym);
        const std::vector<MSG> messages = Drain();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].wParam, static_cast<WPARAM>(c.key));
    }
}

TEST_F(SdlBackendTest, FocusBecomesActivation) {
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);  // no change, no message
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    const std::vector<MSG> messages = Drain();
    std::vector<WPARAM> activations;
    for (const MSG& msg : messages)
        if (msg.message == WM_ACTIVATEAPP) activations.push_back(msg.wParam);
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[0], 0u);
    EXPECT_EQ(activations[1], 1u);
}

// What the running game draws straight into the front buffer reaches the window while a screen
// busy-waits inside its call, polling only the clock.
TEST_F(SdlBackendTest, TheFrontBufferIsShownDuringABusyWait) {
    SDL_Window* window = SDL_GetKeyboardFocus();
    if (window == nullptr) window = SDL_GetWindowFromID(1);
    ASSERT_NE(window, nullptr);
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    ASSERT_NE(renderer, nullptr);
    int width = 0, height = 0;
    ASSERT_EQ(SDL_GetRendererOutputSize(renderer, &width, &height), 0);
    const auto centre = [&] {
        SDL_RenderSetLogicalSize(renderer, 0, 0);  // read in window pixels
        Uint32 pixel = 0;
        const SDL_Rect rect{width / 2, height / 2, 1, 1};
        SDL_RenderReadPixels(renderer, &rect, SDL_PIXELFORMAT_RGB888, &pixel, 4);
        SDL_RenderSetLogicalSize(renderer, 640, 480);
        return pixel & 0xFFFFFF;
    };
    FillSurfaceRect(FrontBuffer, 0, 0, 640, 480, MakeColour16(255, 0, 0));
    const DWORD start = timeGetTime();
    while (timeGetTime() - start < 60) {
    }
    // Red, then blue (the low bits depend on how the renderer widens 565 pixels).
    EXPECT_EQ(centre() & 0xF0F0F0u, 0xF00000u);
    FillSurfaceRect(FrontBuffer, 0, 0, 640, 480, MakeColour16(0, 0, 255));
    const DWORD again = timeGetTime();
    while (timeGetTime() - again < 60) {
    }
    EXPECT_EQ(centre() & 0xF0F0F0u, 0x0000F0u);
}

// Last, because the window is gone afterwards.
TEST_F(SdlBackendTest, ZZClosingOrAQuitSignalDestroysTheWindowOnce) {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);  // what SDL sends on SIGTERM and SIGINT
    const std::vector<MSG> messages = Drain();
    int destroys = 0;
    for (const MSG& msg : messages) destroys += msg.message == WM_DESTROY;
    EXPECT_EQ(destroys, 1);
}

}  // namespace
