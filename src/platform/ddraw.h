// Our DirectDraw: a display object and surfaces of 16-bit pixels in plain memory, with the result
// codes, flags and records the game uses, at their documented values. Surfaces are shared by both
// back ends; only presentation of the front buffer and the simulated failures differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_INVALIDMODE = static_cast<HRESULT>(0x88760078u);
constexpr HRESULT DDERR_INVALIDOBJECT = static_cast<HRESULT>(0x88760082u);
constexpr HRESULT DDERR_INVALIDRECT = static_cast<HRESULT>(0x88760096u);
constexpr HRESULT DDERR_LOCKEDSURFACES = static_cast<HRESULT>(0x887600A0u);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = static_cast<HRESULT>(0x887600E1u);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601AEu);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2u);
constexpr HRESULT DDERR_WASSTILLDRAWING = static_cast<HRESULT>(0x8876021Cu);
constexpr HRESULT DDERR_HWNDSUBCLASSED = static_cast<HRESULT>(0x8876023Au);
constexpr HRESULT DDERR_HWNDALREADYSET = static_cast<HRESULT>(0x8876023Bu);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = static_cast<HRESULT>(0x88760245u);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = static_cast<HRESULT>(0x8876024Eu);
constexpr HRESULT DDERR_NOTFOUND = static_cast<HRESULT>(0x887600FFu);

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x01;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x02;
constexpr DWORD DDSCL_NORMAL = 0x08;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

// Surface description flags and capabilities.
constexpr DWORD DDSD_CAPS = 0x01;
constexpr DWORD DDSD_HEIGHT = 0x02;
constexpr DWORD DDSD_WIDTH = 0x04;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
constexpr DWORD DDSCAPS_BACKBUFFER = 0x04;
constexpr DWORD DDSCAPS_COMPLEX = 0x08;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_3DDEVICE = 0x2000;

// Operation flags.
constexpr DWORD DDLOCK_WAIT = 0x01;
constexpr DWORD DDBLT_COLORFILL = 0x400;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x01;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDFLIP_WAIT = 0x01;
constexpr DWORD DDCKEY_SRCBLT = 0x08;

struct DDSCAPS {
    DWORD dwCaps;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
};

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    void* lpSurface;
    DDSCAPS ddsCaps;
};

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwFillColor;
};

class IDirectDraw;

// A rectangle of 16-bit pixels in plain memory. The front buffer of the flipping pair tells the
// back end whenever its content changes, so that the window shows it.
class IDirectDrawSurface {
public:
    HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, void* event);
    HRESULT Unlock(void* rect);
    HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags,
                DDBLTFX* fx);
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT Flip(IDirectDrawSurface* target, DWORD flags);
    HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached);
    HRESULT GetPixelFormat(DDPIXELFORMAT* format);
    HRESULT IsLost();
    HRESULT Restore();
    DWORD Release();

    // For the back ends and the tests: the memory behind the surface.
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }  // in bytes
    const uint16_t* Pixels() const { return pixels_.data(); }
    uint16_t* Pixels() { return pixels_.data(); }
    bool IsPrimary() const { return primary_; }
    void SetLost(bool lost, bool forever);  // simulates losing the display memory

private:
    friend class IDirectDraw;
    IDirectDrawSurface(int width, int height, DWORD caps);
    ~IDirectDrawSurface() = default;
    HRESULT CheckUsable() const;
    void Changed();

    int width_;
    int height_;
    int pitch_;
    DWORD caps_;
    std::vector<uint16_t> pixels_;
    bool hasKey_ = false;
    uint16_t key_ = 0;
    bool lost_ = false;
    bool lostForever_ = false;
    bool locked_ = false;
    bool primary_ = false;
    bool isBackBuffer_ = false;
    IDirectDrawSurface* attached_ = nullptr;  // the back buffer of a flipping pair
};

class IDirectDraw {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel);
    HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer);
    HRESULT FlipToGDISurface();
    HRESULT RestoreDisplayMode();
    DWORD Release();

private:
    friend HRESULT DirectDrawCreate(void*, IDirectDraw**, void*);
    IDirectDraw() = default;
    ~IDirectDraw() = default;
    DWORD width_ = 640;
    DWORD height_ = 480;
};

HRESULT DirectDrawCreate(void* driverGuid, IDirectDraw** object, void* outer);
