// What the shared part of the platform layer asks of a back end. The SDL back end drives a real
// window; the headless back end simulates one for the tests. Exactly one is linked into a program.
#pragma once

#include <string>

#include "platform/ddraw.h"
#include "platform/win_types.h"

namespace Backend {

// Display object and flipping pair. The results let the headless back end simulate failures.
HRESULT DirectDrawCreateResult();
HRESULT CooperativeLevelResult(DWORD flags);
HRESULT DisplayModeResult(DWORD width, DWORD height, DWORD bitsPerPixel);
HRESULT FlippingChainResult();
int GreenBits();                                     // 5 (555) or 6 (565)
void FrontBufferCreated(IDirectDrawSurface* front);  // null when it is released
void FrontBufferChanged();                           // drawn into, or flipped
void ShowDesktop();                                  // before a message box

// The window.
void CreateMainWindow(const std::string& title);
void ShowMainWindow();
void DesktopSize(int* width, int* height);
void SetCursorVisible(bool visible);

// Events: move what happened into the message queue and the key table, without dispatching.
void PumpEvents();
// The queue is empty: wait until an event arrives.
void WaitForEvent();
// The queue is empty and the caller is about to run the screen's procedure again; the back end
// may give up the processor for a moment when that procedure did nothing last time.
void IdleTurn();
bool KeyIsDown(int virtualKey);
DWORD Milliseconds();

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

}  // namespace Backend

// Shared by the back ends: the program's own message queue.
void PostToQueue(const MSG& msg);
HWND MainWindow();
// No window, no class, an empty queue and a shown cursor: a fresh start for the tests.
void ResetMessageQueue();
