// The program's message queue and its one window. Back ends feed the queue when they pump their
// events; the main loop peeks, fetches and dispatches from it.
#include <cstring>
#include <deque>
#include <string>

#include "platform/backend.h"
#include "platform/win_api.h"

struct WindowObject {
    WNDPROC procedure = nullptr;
    std::string title;
    bool destroyed = false;
};

namespace {

std::deque<MSG> Queue;
WindowObject TheWindow;
bool WindowExists = false;
WNDCLASSA RegisteredClass{};
std::string RegisteredClassName;
int CursorCount = 0;

}  // namespace

void PostToQueue(const MSG& msg) {
    if (msg.message == WM_DESTROY) {
        // A window is destroyed once, whether closed by the user or by a signal.
        if (!WindowExists || TheWindow.destroyed) return;
        TheWindow.destroyed = true;
    }
    Queue.push_back(msg);
}

HWND MainWindow() { return WindowExists ? &TheWindow : nullptr; }

void ResetMessageQueue() {
    Queue.clear();
    TheWindow = WindowObject{};
    WindowExists = false;
    RegisteredClass = WNDCLASSA{};
    RegisteredClassName.clear();
    CursorCount = 0;
}

WORD RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr) return 0;
    RegisteredClass = *windowClass;
    RegisteredClassName = windowClass->lpszClassName;
    RegisteredClass.lpszClassName = RegisteredClassName.c_str();
    return 1;
}

HWND CreateWindowExA(DWORD, const char* className, const char* title, DWORD style, int, int, int,
                     int, HWND, void*, HINSTANCE, void*) {
    // The program has one window, of the one class it registered.
    if (className == nullptr || RegisteredClassName != className || WindowExists) return nullptr;
    TheWindow = WindowObject{};
    TheWindow.procedure = RegisteredClass.lpfnWndProc;
    TheWindow.title = title ? title : "";
    WindowExists = true;
    Backend::CreateMainWindow(TheWindow.title);
    if (style & WS_VISIBLE) Backend::ShowMainWindow();
    return &TheWindow;
}

BOOL ShowWindow(HWND window, int) {
    if (window == nullptr || window != MainWindow()) return 0;
    Backend::ShowMainWindow();
    return 1;
}

BOOL UpdateWindow(HWND window) {
    // Our window has no client area of its own to paint: the front buffer is all it shows.
    return window != nullptr && window == MainWindow();
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

int GetSystemMetrics(int index) {
    int width = 0, height = 0;
    Backend::DesktopSize(&width, &height);
    if (index == SM_CXSCREEN) return width;
    if (index == SM_CYSCREEN) return height;
    return 0;
}

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
    Backend::PumpEvents();
    if (Queue.empty()) {
        Backend::IdleTurn();
        return 0;
    }
    if (msg) *msg = Queue.front();
    if (removeFlags & PM_REMOVE) Queue.pop_front();
    return 1;
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
    Backend::PumpEvents();
    while (Queue.empty()) {
        Backend::WaitForEvent();
        Backend::PumpEvents();
    }
    MSG next = Queue.front();
    Queue.pop_front();
    if (msg) *msg = next;
    return next.message == WM_QUIT ? 0 : 1;
}

// Our queue carries no character messages, so there is nothing to translate.
BOOL TranslateMessage(const MSG*) { return 0; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr || msg->hwnd != MainWindow()) return 0;
    if (TheWindow.procedure == nullptr) return 0;
    return TheWindow.procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    PostToQueue(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

BOOL WaitMessage() {
    Backend::PumpEvents();
    while (Queue.empty()) {
        Backend::WaitForEvent();
        Backend::PumpEvents();
    }
    return 1;
}

SHORT GetAsyncKeyState(int virtualKey) {
    Backend::PumpEvents();
    return Backend::KeyIsDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

DWORD timeGetTime() {
    Backend::PumpEvents();
    return Backend::Milliseconds();
}

int ShowCursor(BOOL show) {
    CursorCount += show ? 1 : -1;
    Backend::SetCursorVisible(CursorCount >= 0);
    return CursorCount;
}

void* SetCursor(void* cursor) {
    // The game only ever asks for no cursor over its window.
    if (cursor == nullptr) Backend::SetCursorVisible(false);
    return nullptr;
}

int MessageBoxA(HWND, const char* text, const char* caption, UINT type) {
    return Backend::ShowMessageBox(text ? text : "", caption ? caption : "", type);
}
