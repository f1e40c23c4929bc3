// The window procedure: activation and the restore of the display's buffers, the hidden cursor,
// the end of the program when the window goes, and the hot keys that work on every screen.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

extern int32_t DumpCounter;

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ShowHelpBox();
