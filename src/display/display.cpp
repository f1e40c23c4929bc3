#include "display/display.h"

#include "display/random.h"
#include "platform/win_api.h"

// The window procedure belongs to the application frame; the display registers it with the window.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND AppWindow = nullptr;
Surface* FrontBuffer = nullptr;
Surface* BackBuffer = nullptr;

namespace {

constexpr const char* DisplayCaption = "Direct Draw";

void ReportFailure(const char* text) {
    ShowCursor(1);  // stays visible: the program is ending
    ShowError(text, DisplayCaption);
}

const char* CooperativeLevelText(HRESULT result) {
    switch (result) {
    case DDERR_INVALIDOBJECT: return "SetCooperativeLevel failed!\nInvalid object!";
    case DDERR_HWNDALREADYSET: return "SetCooperativeLevel failed!\nAlready set HWND!";
    case DDERR_EXCLUSIVEMODEALREADYSET:
        return "SetCooperativeLevel failed!\nAlready set EXCLUSIVEMODE!";
    case DDERR_HWNDSUBCLASSED: return "SetCooperativeLevel failed!\nHWND subclassed!";
    case DDERR_OUTOFMEMORY: return "SetCooperativeLevel failed!\nOut of memory!";
    case DDERR_INVALIDPARAMS: return "SetCooperativeLevel failed!\nInvalid params!";
    default: return nullptr;  // not reported: the mode switch reports what goes wrong next
    }
}

const char* DisplayModeText(HRESULT result) {
    switch (result) {
    case DDERR_GENERIC: return "SetDisplayMode failed!\n1";
    case DDERR_INVALIDMODE: return "SetDisplayMode failed!\n2";
    case DDERR_INVALIDOBJECT: return "SetDisplayMode failed!\n3";
    case DDERR_INVALIDPARAMS: return "SetDisplayMode failed!\n4";
    case DDERR_LOCKEDSURFACES: return "SetDisplayMode failed!\n5";
    case DDERR_NOEXCLUSIVEMODE: return "SetDisplayMode failed!\n6";
    case DDERR_SURFACEBUSY: return "SetDisplayMode failed!\n7";
    case DDERR_UNSUPPORTED: return "SetDisplayMode failed!\n8";
    case DDERR_UNSUPPORTEDMODE: return "SetDisplayMode failed!\n9";
    case DDERR_WASSTILLDRAWING: return "SetDisplayMode failed!\n10";
    default: return "SetDisplayMode failed!";
    }
}

}  // namespace

int InitDisplay(HINSTANCE instance, const char* title, int32_t depth, int32_t width, int32_t height,
                int showCommand) {
    ScreenWidth = width;
    ScreenHeight = height;

    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MainWindow";
    RegisterClassA(&windowClass);
    AppWindow = CreateWindowExA(0, "MainWindow", title, WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, instance, nullptr);
    ShowCursor(0);

    if (DisplayObject == nullptr && DirectDrawCreate(nullptr, &DisplayObject, nullptr) != DD_OK) {
        DisplayObject = nullptr;
        ReportFailure("Cannot be initialized!");
        return 0;
    }

    const HRESULT level = DisplayObject->SetCooperativeLevel(
        AppWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT);
    if (const char* text = CooperativeLevelText(level)) {
        ReportFailure(text);
        return 0;
    }

    ScreenDepth = depth;
    const HRESULT mode = DisplayObject->SetDisplayMode(
        static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<DWORD>(depth));
    if (mode != DD_OK) {
        ReportFailure(DisplayModeText(mode));
        return 0;
    }

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    if (DisplayObject->CreateSurface(&desc, &FrontBuffer, nullptr) != DD_OK) {
        FrontBuffer = nullptr;
        ReportFailure("Cannot create Buffers!");
        return 0;
    }
    DDSCAPS backCaps{DDSCAPS_BACKBUFFER};
    FrontBuffer->GetAttachedSurface(&backCaps, &BackBuffer);

    ClearBackBuffer(0);
    Present();

    ShowWindow(AppWindow, showCommand);
    UpdateWindow(AppWindow);

    if (ScreenDepth == 16) {
        DDPIXELFORMAT format{};
        format.dwSize = sizeof format;
        BackBuffer->GetPixelFormat(&format);
        GreenBits = format.dwGBitMask == 0x03E0 ? 5 : 6;
    }

    SeedRandom(timeGetTime());
    return 1;
}

void Present() {
    // A flip that keeps failing is given up in the end, like every other retry on surfaces.
    for (int attempt = 0; attempt < MaxSurfaceRetries; ++attempt) {
        const HRESULT result = FrontBuffer->Flip(nullptr, DDFLIP_WAIT);
        if (result == DD_OK) return;
        if (result == DDERR_SURFACELOST) FrontBuffer->Restore();
    }
}

void ClearBackBuffer(uint16_t value) {
    FillSurfaceRect(BackBuffer, 0, 0, ScreenWidth, ScreenHeight, value);
}

void ShutDownDisplay() {
    if (DisplayObject) DisplayObject->RestoreDisplayMode();
    if (FrontBuffer) {
        FrontBuffer->Release();  // the back buffer goes with it
        FrontBuffer = nullptr;
        BackBuffer = nullptr;
    }
    if (DisplayObject) {
        DisplayObject->SetCooperativeLevel(AppWindow, DDSCL_NORMAL);
        DisplayObject->Release();
        DisplayObject = nullptr;
    }
}

void ShowError(const char* text, const char* caption) {
    ShowCursor(1);
    if (DisplayObject) DisplayObject->FlipToGDISurface();
    MessageBoxA(AppWindow, text, caption, MB_ICONEXCLAMATION);
    ShowCursor(0);
}
