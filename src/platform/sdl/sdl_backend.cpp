// The SDL back end: one full-screen window showing the 640 x 480 front buffer, SDL's events turned
// into the program's few messages, our own key table, the clock and message boxes.
//
// The front buffer is shown lazily, on the program's own thread: whenever the program calls into
// the platform (to peek a message, poll a key or read the clock) and the front buffer has changed
// since it was last shown, it is shown again, at most once a display refresh. Screens that draw
// straight into the front buffer for a second without returning therefore stay visible, and a
// present never waits for the display's vertical blank, so it never stretches the program's timing.
#include <SDL.h>

#include <array>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/backend.h"
#include "platform/cp1252.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/win_api.h"

namespace {

struct State {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    IDirectDrawSurface* front = nullptr;
    bool frontDirty = false;
    Uint64 lastPresent = 0;  // performance-counter ticks
    Uint64 presentInterval = 0;
    bool everActive = false;
    bool active = false;
    std::array<bool, 256> keys{};
    Uint64 lastIdle = 0;
    bool sdlStarted = false;
    bool videoUsable = false;
};

State S;

// A screen procedure that came back within this time did nothing: the loop may rest a moment,
// under a millisecond, so that a screen pacing itself at 25 ms is never late by more than that.
constexpr Uint64 QuickCallMicroseconds = 100;
constexpr auto IdleRest = std::chrono::microseconds(900);

bool IsInvisibleDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// The player sees only the game's own box; why SDL refused goes to whoever started the game.
void ReportSdlError(const char* what) {
    std::fprintf(stderr, "trazo: %s: %s\n", what, SDL_GetError());
}

void EnsureSdl() {
    if (S.sdlStarted) return;
    S.sdlStarted = true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportSdlError("no video");
        return;
    }
    // With no display to reach, SDL falls back to drivers that show nothing: the game would run
    // unseen for ever. Only someone who asks for such a driver by name (the tests) gets it.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const char* driver = SDL_GetCurrentVideoDriver();
    if (IsInvisibleDriver(driver) && (asked == nullptr || *asked == '\0')) {
        std::fprintf(stderr, "trazo: no display to show the game on (SDL offers only \"%s\")\n",
                     driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    S.videoUsable = true;
}

Uint64 MicrosecondsSince(Uint64 then) {
    return (SDL_GetPerformanceCounter() - then) * 1000000 / SDL_GetPerformanceFrequency();
}

void ShowFront() {
    S.frontDirty = false;
    S.lastPresent = SDL_GetPerformanceCounter();
    if (S.renderer == nullptr) return;
    SDL_SetRenderDrawColor(S.renderer, 0, 0, 0, 255);
    SDL_RenderClear(S.renderer);
    if (S.front && S.texture) {
        SDL_UpdateTexture(S.texture, nullptr, S.front->Pixels(), S.front->Pitch());
        SDL_RenderCopy(S.renderer, S.texture, nullptr, nullptr);
    }
    SDL_RenderPresent(S.renderer);
}

void ShowFrontIfDue() {
    if (!S.frontDirty) return;
    if (SDL_GetPerformanceCounter() - S.lastPresent < S.presentInterval) return;
    ShowFront();
}

void SetActive(bool active) {
    if (active == S.active) return;
    S.active = active;
    if (active) S.everActive = true;
    PostToQueue(MSG{MainWindow(), WM_ACTIVATEAPP, active ? 1u : 0u, 0});
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
        // Without a window manager nobody gives the window focus: shown is active.
        if (!S.everActive) SetActive(true);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: SetActive(true); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: SetActive(false); break;
    case SDL_WINDOWEVENT_EXPOSED: S.frontDirty = true; break;
    case SDL_WINDOWEVENT_CLOSE: PostToQueue(MSG{MainWindow(), WM_DESTROY, 0, 0}); break;
    default: break;
    }
}

void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        const int key = VirtualKeyOf(event.key.keysym);
        if (key == 0) break;
        S.keys[static_cast<size_t>(key)] = true;
        // Bit 30: the key was already down (auto-repeat).
        const LPARAM flags = 1 | (event.key.repeat ? (LPARAM{1} << 30) : 0);
        PostToQueue(MSG{MainWindow(), WM_KEYDOWN, static_cast<WPARAM>(key), flags});
        break;
    }
    case SDL_KEYUP: {
        const int key = VirtualKeyOf(event.key.keysym);
        if (key != 0) S.keys[static_cast<size_t>(key)] = false;
        break;
    }
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_QUIT:  // the last window closed, or SIGTERM / SIGINT
        PostToQueue(MSG{MainWindow(), WM_DESTROY, 0, 0});
        break;
    default: break;
    }
}

// Xlib draws UTF-8 text only under a UTF-8 character type; the program itself keeps the C locale.
class Utf8CharacterType {
public:
    Utf8CharacterType() {
        if (const char* current = std::setlocale(LC_CTYPE, nullptr)) saved_ = current;
        if (std::setlocale(LC_CTYPE, "") == nullptr) std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    ~Utf8CharacterType() { std::setlocale(LC_CTYPE, saved_.c_str()); }

private:
    std::string saved_ = "C";
};

}  // namespace

namespace Backend {

HRESULT DirectDrawCreateResult() {
    EnsureSdl();
    return S.videoUsable ? DD_OK : DDERR_GENERIC;
}
HRESULT CooperativeLevelResult(DWORD) { return S.window ? DD_OK : DDERR_INVALIDPARAMS; }
HRESULT DisplayModeResult(DWORD, DWORD, DWORD) { return DD_OK; }
HRESULT FlippingChainResult() { return S.renderer ? DD_OK : DDERR_GENERIC; }
int GreenBits() { return 6; }

void FrontBufferCreated(IDirectDrawSurface* front) {
    S.front = front;
    if (S.texture) {
        SDL_DestroyTexture(S.texture);
        S.texture = nullptr;
    }
    if (front == nullptr || S.renderer == nullptr) return;
    // The scale quality hint is read here, when the texture is made: nearest neighbour.
    S.texture = SDL_CreateTexture(S.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                  front->Width(), front->Height());
    SDL_RenderSetLogicalSize(S.renderer, front->Width(), front->Height());
    S.frontDirty = true;
}

void FrontBufferChanged() { S.frontDirty = true; }

void ShowDesktop() { ShowFront(); }

void CreateMainWindow(const std::string& title) {
    EnsureSdl();
    if (!S.videoUsable) return;
    // The window is made as large as the desktop, borderless at its origin, before it asks to be
    // full screen: with no window manager to grant that wish it still covers the desktop.
    int width = 640, height = 480;
    DesktopSize(&width, &height);
    S.window =
        SDL_CreateWindow(title.c_str(), 0, 0, width, height,
                         SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (S.window == nullptr) {
        ReportSdlError("no window");
        return;
    }
    S.renderer = SDL_CreateRenderer(S.window, -1, 0);
    if (S.renderer == nullptr) S.renderer = SDL_CreateRenderer(S.window, -1, SDL_RENDERER_SOFTWARE);
    if (S.renderer == nullptr) ReportSdlError("no renderer");
    int refresh = 60;
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(S.window, &mode) == 0 && mode.refresh_rate > 0)
        refresh = mode.refresh_rate;
    S.presentInterval = SDL_GetPerformanceFrequency() / static_cast<Uint64>(refresh);
}

void ShowMainWindow() {
    if (S.window) SDL_ShowWindow(S.window);
}

void DesktopSize(int* width, int* height) {
    EnsureSdl();
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        *width = mode.w;
        *height = mode.h;
    } else {
        *width = 640;
        *height = 480;
    }
}

void SetCursorVisible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void PumpEvents() {
    EnsureSdl();
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
    ShowFrontIfDue();
}

void WaitForEvent() {
    if (S.frontDirty) ShowFront();
    SDL_WaitEventTimeout(nullptr, 100);
}

void IdleTurn() {
    if (S.lastIdle != 0 && MicrosecondsSince(S.lastIdle) < QuickCallMicroseconds)
        std::this_thread::sleep_for(IdleRest);
    S.lastIdle = SDL_GetPerformanceCounter();
}

bool KeyIsDown(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return false;
    return S.keys[static_cast<size_t>(virtualKey)];
}

DWORD Milliseconds() { return SDL_GetTicks(); }

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) {
    const std::string message = ExpandTabs(Cp1252ToUtf8(text));  // no tab stops in SDL's box
    const std::string title = Cp1252ToUtf8(caption);
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((type & 0xF0) == MB_ICONEXCLAMATION) flags = SDL_MESSAGEBOX_WARNING;
    const bool withCancel = (type & 0x0F) == MB_OKCANCEL;
    SDL_MessageBoxButtonData buttons[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"},
    };
    if (!withCancel) buttons[0].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    const SDL_MessageBoxData data{
        flags, S.window, title.c_str(), message.c_str(), withCancel ? 2 : 1, buttons, nullptr};
    int pressed = withCancel ? IDCANCEL : IDOK;
    const Utf8CharacterType utf8;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        // No box can be shown (no display): the text still reaches whoever started the game.
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        pressed = IDOK;
    }
    if (pressed < 0) pressed = withCancel ? IDCANCEL : IDOK;  // closed without a button
    // Keys released while the box had the keyboard never reach our window.
    S.keys.fill(false);
    return pressed;
}

}  // namespace Backend

int RunWinMain(int (*winMain)(HINSTANCE, HINSTANCE, char*, int)) {
    EnsureSdl();
    char noArguments[] = "";
    const int exitCode = winMain(nullptr, nullptr, noArguments, SW_SHOWNORMAL);
    if (S.texture) SDL_DestroyTexture(S.texture);
    if (S.renderer) SDL_DestroyRenderer(S.renderer);
    if (S.window) SDL_DestroyWindow(S.window);
    S = State{};
    SDL_Quit();
    return exitCode;
}
