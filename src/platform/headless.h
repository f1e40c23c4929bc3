// Controls of the headless back end, for the tests: a virtual clock, scripted keys and events,
// recorded message boxes with scripted answers, and switches that make the display fail.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ddraw.h"
#include "platform/win_types.h"

namespace Headless {

// Everything back to a fresh machine: no window, empty queue, clock at 0, keys up, 565 layout.
void Reset();

// Display.
void SetGreenBits(int bits);                // 5 for a 555 display, 6 for 565
void FailDirectDrawCreate(HRESULT result);  // DD_OK lets it succeed again
void FailCooperativeLevel(HRESULT result);
void FailDisplayMode(HRESULT result);
void FailFlippingChain(HRESULT result);
void SetDesktopSize(int width, int height);
IDirectDrawSurface* FrontBuffer();  // the primary surface, or null
int FrontBufferChanges();           // how often it was drawn into or flipped
int DesktopShows();                 // FlipToGDISurface calls
bool CursorVisible();

// The window becomes active as soon as it is shown, unless this is switched off.
void SetActivateOnShow(bool activate);
void Activate(bool active);  // queues the activation message
void CloseWindow();          // the user closes the window

// Clock.
DWORD Now();
void AdvanceClock(DWORD ms);
// Added to the clock whenever the program polls the platform (clock, keys, messages), so that
// loops that wait for time or for a key release come to an end.
void SetClockStep(DWORD ms);

// Keys.
void SetKeyDown(int virtualKey, bool down);  // key state only, no message
void PressKey(int virtualKey);               // key down and its key-down message
void ReleaseKey(int virtualKey);

// Scripted events: the action runs when the clock has reached the time, at the next pump. When
// the program waits for a message and nothing is queued, the clock jumps to the next event; with
// no event left the program is starved and gets the quit message, so that no test can hang.
void At(DWORD time, std::function<void()> action);
bool Starved();
int IdleTurns();

// Message boxes.
struct Box {
    std::string text;
    std::string caption;
    UINT type;
};
const std::vector<Box>& Boxes();
void AnswerNextBox(int answer);  // answers are used in order; IDOK when none is left
void OnBox(std::function<void(const Box&)> action);  // runs while a box is open

}  // namespace Headless
