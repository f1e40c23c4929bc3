// The window, message, keyboard, timer and message-box calls the game makes, by the names it has
// always used. Both back ends (SDL for the program, headless for the tests) implement them.
#pragma once

#include "platform/win_types.h"

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    HINSTANCE hInstance;
    const char* lpszClassName;
};

// Windows
WORD RegisterClassA(const WNDCLASSA* windowClass);
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, void* menu, HINSTANCE instance,
                     void* param);
BOOL ShowWindow(HWND window, int showCommand);
BOOL UpdateWindow(HWND window);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int GetSystemMetrics(int index);

// The message queue. It carries activation, key-down (with auto-repeat), destroy and quit.
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);
BOOL WaitMessage();

// Keys: the top bit of the result is set while the key is down at the moment of the call.
SHORT GetAsyncKeyState(int virtualKey);

// Milliseconds since some fixed moment; wraps after 49 days.
DWORD timeGetTime();

// The mouse cursor: shown while the display count is 0 or more.
int ShowCursor(BOOL show);
void* SetCursor(void* cursor);

// Message boxes. Texts are in code page 1252.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// The user's language: 0x0407 for German, 0x0409 for everything else, from the locale environment.
LANGID GetUserDefaultLangID();

// Runs the program's entry point inside the real back end and returns its exit code.
int RunWinMain(int (*winMain)(HINSTANCE, HINSTANCE, char*, int));
