// The program's window, the full-screen display with its flipping pair of buffers, presentation
// and the error box through which platform failures reach the user.
#pragma once

#include <cstdint>

#include "display/surface.h"
#include "platform/win_types.h"

extern HWND AppWindow;
extern Surface* FrontBuffer;
extern Surface* BackBuffer;

// 1 on success; on failure the error box has been shown and the result is 0.
int InitDisplay(HINSTANCE instance, const char* title, int32_t depth, int32_t width, int32_t height,
                int showCommand);
void Present();
void ClearBackBuffer(uint16_t value);
void ShutDownDisplay();
void ShowError(const char* text, const char* caption);
