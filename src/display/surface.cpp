#include "display/surface.h"

int32_t ScreenWidth = 640;
int32_t ScreenHeight = 480;
int32_t ScreenDepth = 16;
int32_t GreenBits = 6;
IDirectDraw* DisplayObject = nullptr;

HRESULT NewSurface(int32_t width, int32_t height, DWORD caps, Surface** surface) {
    *surface = nullptr;
    if (DisplayObject == nullptr) return DDERR_INVALIDOBJECT;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = caps;
    return DisplayObject->CreateSurface(&desc, surface, nullptr);
}

HRESULT LockSurface(Surface* surface, uint8_t** bits, LONG* pitch) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    const HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (result == DD_OK) {
        *bits = static_cast<uint8_t*>(desc.lpSurface);
        *pitch = desc.lPitch;
    }
    return result;
}

void UnlockSurface(Surface* surface) { surface->Unlock(nullptr); }

uint16_t ReadPixel(Surface* surface, int32_t x, int32_t y) {
    // The caller keeps (x, y) inside the surface.
    for (int attempt = 0; attempt < MaxSurfaceRetries; ++attempt) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        const HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        if (result == DD_OK) {
            // Outside the surface there is nothing to read; 0 keeps the memory safe.
            if (x < 0 || y < 0 || static_cast<DWORD>(x) >= desc.dwWidth ||
                static_cast<DWORD>(y) >= desc.dwHeight) {
                surface->Unlock(nullptr);
                return 0;
            }
            const uint8_t* bits = static_cast<const uint8_t*>(desc.lpSurface);
            const uint16_t value = *reinterpret_cast<const uint16_t*>(
                bits + static_cast<intptr_t>(y) * desc.lPitch + 2 * static_cast<intptr_t>(x));
            surface->Unlock(nullptr);
            return value;
        }
        if (result == DDERR_SURFACELOST) surface->Restore();
    }
    return 0;
}

void FillSurfaceRect(Surface* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     uint16_t value) {
    // Each axis is clamped at one end only, against the screen: every filled surface is
    // screen-sized, and a rectangle hanging over both ends is refused by the blitter.
    if (left < 0)
        left = 0;
    else if (right >= ScreenWidth)
        right = ScreenWidth;
    if (top < 0)
        top = 0;
    else if (bottom >= ScreenHeight)
        bottom = ScreenHeight;
    RECT rect{left, top, right, bottom};
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = value;
    for (int attempt = 0; attempt < MaxSurfaceRetries; ++attempt) {
        const HRESULT result =
            surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
        if (result == DDERR_SURFACELOST)
            surface->Restore();
        else if (result != DDERR_WASSTILLDRAWING)
            return;
    }
}

void BlitScreen(Surface* destination, Surface* source) {
    RECT rect{0, 0, ScreenWidth, ScreenHeight};
    for (int attempt = 0; attempt < MaxSurfaceRetries; ++attempt) {
        const HRESULT result = destination->BltFast(0, 0, source, &rect, DDBLTFAST_WAIT);
        if (result == DDERR_SURFACELOST)
            source->Restore();
        else if (result != DDERR_WASSTILLDRAWING)
            return;
    }
}

namespace {

void ClippedCopy(Surface* destination, int32_t x32, int32_t y32, const RECT& sourceRect,
                 Surface* source, bool keyed) {
    // The destination is taken to be screen-sized, whatever its real size. The sums are taken
    // wide so that no position, however far off, can overflow.
    int64_t x = x32, y = y32;
    const int64_t w = int64_t{sourceRect.right} - sourceRect.left;
    const int64_t h = int64_t{sourceRect.bottom} - sourceRect.top;
    if (x > ScreenWidth || y > ScreenHeight || x + w < 0 || y + h < 0) return;
    int64_t left = sourceRect.left, top = sourceRect.top;
    int64_t right = sourceRect.right, bottom = sourceRect.bottom;
    if (x < 0) {
        left += -x;
        x = 0;
    }
    if (y < 0) {
        top += -y;
        y = 0;
    }
    if (x + w > ScreenWidth) right -= x + w - ScreenWidth;
    if (y + h > ScreenHeight) bottom -= y + h - ScreenHeight;
    if (left > right || top > bottom) return;  // nothing left to copy
    RECT r{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
           static_cast<LONG>(bottom)};
    const DWORD flags = keyed ? DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY : DDBLTFAST_WAIT;
    for (int attempt = 0; attempt < MaxSurfaceRetries; ++attempt) {
        const HRESULT result =
            destination->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), source, &r, flags);
        if (result == DDERR_SURFACELOST) {
            source->Restore();
            if (!keyed) destination->Restore();
        } else if (result != DDERR_WASSTILLDRAWING) {
            return;
        }
    }
}

}  // namespace

void BlitRect(Surface* destination, int32_t x, int32_t y, const RECT& sourceRect, Surface* source) {
    ClippedCopy(destination, x, y, sourceRect, source, false);
}

void BlitRectKeyed(Surface* destination, int32_t x, int32_t y, const RECT& sourceRect,
                   Surface* source) {
    ClippedCopy(destination, x, y, sourceRect, source, true);
}

void SetSourceKey(Surface* surface, uint16_t value) {
    DDCOLORKEY key{value, value};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

uint16_t MakeColour16(int red, int green, int blue) {
    if (GreenBits == 6)
        return static_cast<uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
    return static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

uint16_t PaletteColour16(int index, const Palette& palette) {
    const uint8_t* entry = palette.Bytes + 3 * (index & 0xFF);
    const int red = entry[0], green = entry[1], blue = entry[2];
    if (GreenBits == 6)
        return static_cast<uint16_t>((((red >> 1) << 11) & 0xF800) | ((green << 5) & 0x07E0) |
                                     ((blue >> 1) & 0x001F));
    return static_cast<uint16_t>((((red >> 1) << 10) & 0xFC00) | (((green >> 1) << 5) & 0x03E0) |
                                 ((blue >> 1) & 0x001F));
}
