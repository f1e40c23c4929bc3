// The headless back end: a simulated window, display, clock and keyboard that the tests drive.
#include <array>
#include <deque>
#include <map>

#include "platform/backend.h"
#include "platform/headless.h"
#include "platform/win_api.h"

namespace {

struct State {
    int greenBits = 6;
    HRESULT createResult = DD_OK;
    HRESULT cooperativeResult = DD_OK;
    HRESULT modeResult = DD_OK;
    HRESULT chainResult = DD_OK;
    int desktopWidth = 640;
    int desktopHeight = 480;
    IDirectDrawSurface* front = nullptr;
    int frontChanges = 0;
    int desktopShows = 0;
    bool cursorVisible = true;
    bool activateOnShow = true;
    bool shown = false;
    DWORD clock = 0;
    DWORD clockStep = 0;
    std::array<bool, 256> keys{};
    std::multimap<DWORD, std::function<void()>> script;
    bool starved = false;
    int idleTurns = 0;
    std::vector<Headless::Box> boxes;
    std::deque<int> answers;
    std::function<void(const Headless::Box&)> onBox;
};

State S;

void RunDueEvents() {
    while (!S.script.empty() && S.script.begin()->first <= S.clock) {
        auto action = std::move(S.script.begin()->second);
        S.script.erase(S.script.begin());
        action();
    }
}

}  // namespace

namespace Headless {

void Reset() {
    ResetMessageQueue();
    S = State{};
}

void SetGreenBits(int bits) { S.greenBits = bits; }
void FailDirectDrawCreate(HRESULT result) { S.createResult = result; }
void FailCooperativeLevel(HRESULT result) { S.cooperativeResult = result; }
void FailDisplayMode(HRESULT result) { S.modeResult = result; }
void FailFlippingChain(HRESULT result) { S.chainResult = result; }
void SetDesktopSize(int width, int height) {
    S.desktopWidth = width;
    S.desktopHeight = height;
}
IDirectDrawSurface* FrontBuffer() { return S.front; }
int FrontBufferChanges() { return S.frontChanges; }
int DesktopShows() { return S.desktopShows; }
bool CursorVisible() { return S.cursorVisible; }

void SetActivateOnShow(bool activate) { S.activateOnShow = activate; }
void Activate(bool active) { PostToQueue(MSG{MainWindow(), WM_ACTIVATEAPP, active ? 1u : 0u, 0}); }
void CloseWindow() { PostToQueue(MSG{MainWindow(), WM_DESTROY, 0, 0}); }

DWORD Now() { return S.clock; }
void AdvanceClock(DWORD ms) {
    S.clock += ms;
    RunDueEvents();
}
void SetClockStep(DWORD ms) { S.clockStep = ms; }

void SetKeyDown(int virtualKey, bool down) {
    S.keys[static_cast<size_t>(virtualKey & 0xFF)] = down;
}
void PressKey(int virtualKey) {
    SetKeyDown(virtualKey, true);
    PostToQueue(MSG{MainWindow(), WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1});
}
void ReleaseKey(int virtualKey) { SetKeyDown(virtualKey, false); }

void At(DWORD time, std::function<void()> action) { S.script.emplace(time, std::move(action)); }
bool Starved() { return S.starved; }
int IdleTurns() { return S.idleTurns; }

const std::vector<Box>& Boxes() { return S.boxes; }
void AnswerNextBox(int answer) { S.answers.push_back(answer); }
void OnBox(std::function<void(const Box&)> action) { S.onBox = std::move(action); }

}  // namespace Headless

namespace Backend {

HRESULT DirectDrawCreateResult() { return S.createResult; }
HRESULT CooperativeLevelResult(DWORD) { return S.cooperativeResult; }
HRESULT DisplayModeResult(DWORD, DWORD, DWORD) { return S.modeResult; }
HRESULT FlippingChainResult() { return S.chainResult; }
int GreenBits() { return S.greenBits; }
void FrontBufferCreated(IDirectDrawSurface* front) { S.front = front; }
void FrontBufferChanged() { ++S.frontChanges; }
void ShowDesktop() { ++S.desktopShows; }

void CreateMainWindow(const std::string&) {}
void ShowMainWindow() {
    if (S.shown) return;
    S.shown = true;
    if (S.activateOnShow) Headless::Activate(true);
}
void DesktopSize(int* width, int* height) {
    *width = S.desktopWidth;
    *height = S.desktopHeight;
}
void SetCursorVisible(bool visible) { S.cursorVisible = visible; }

void PumpEvents() {
    S.clock += S.clockStep;
    RunDueEvents();
}

void WaitForEvent() {
    if (S.script.empty()) {
        S.starved = true;
        PostQuitMessage(0);
        return;
    }
    if (S.script.begin()->first > S.clock) S.clock = S.script.begin()->first;
    RunDueEvents();
}

void IdleTurn() { ++S.idleTurns; }

bool KeyIsDown(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return false;
    return S.keys[static_cast<size_t>(virtualKey)];
}

DWORD Milliseconds() { return S.clock; }

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) {
    S.boxes.push_back(Headless::Box{text, caption, type});
    if (S.onBox) S.onBox(S.boxes.back());
    if (S.answers.empty()) return IDOK;
    const int answer = S.answers.front();
    S.answers.pop_front();
    return answer;
}

}  // namespace Backend

int RunWinMain(int (*winMain)(HINSTANCE, HINSTANCE, char*, int)) {
    char noArguments[] = "";
    return winMain(nullptr, nullptr, noArguments, SW_SHOWNORMAL);
}
