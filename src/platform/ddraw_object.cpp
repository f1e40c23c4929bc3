// The display object: cooperative level, display mode and the creation of surfaces. There is no
// mode switch on our platform: the back end shows the 640 x 480 front buffer scaled to the window.
#include <new>

#include "platform/backend.h"
#include "platform/ddraw.h"

namespace {

// Larger surfaces than this are refused: no picture of the game comes near it.
constexpr DWORD MaxSurfaceSide = 16384;

}  // namespace

HRESULT DirectDrawCreate(void*, IDirectDraw** object, void*) {
    if (object == nullptr) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (HRESULT result = Backend::DirectDrawCreateResult(); result != DD_OK) return result;
    *object = new IDirectDraw();
    return DD_OK;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND, DWORD flags) {
    return Backend::CooperativeLevelResult(flags);
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    if (HRESULT result = Backend::DisplayModeResult(width, height, bitsPerPixel); result != DD_OK)
        return result;
    if (bitsPerPixel != 16 || width == 0 || height == 0 || width > MaxSurfaceSide ||
        height > MaxSurfaceSide)
        return DDERR_UNSUPPORTEDMODE;
    width_ = width;
    height_ = height;
    return DD_OK;
}

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void*) {
    if (desc == nullptr || surface == nullptr) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    const DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    try {
        if (caps & DDSCAPS_PRIMARYSURFACE) {
            if (HRESULT result = Backend::FlippingChainResult(); result != DD_OK) return result;
            auto* front =
                new IDirectDrawSurface(static_cast<int>(width_), static_cast<int>(height_), caps);
            front->primary_ = true;
            if ((desc->dwFlags & DDSD_BACKBUFFERCOUNT) && desc->dwBackBufferCount > 0) {
                if (desc->dwBackBufferCount != 1) {
                    delete front;
                    return DDERR_INVALIDPARAMS;
                }
                front->attached_ =
                    new IDirectDrawSurface(static_cast<int>(width_), static_cast<int>(height_),
                                           DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
                front->attached_->isBackBuffer_ = true;
            }
            *surface = front;
            Backend::FrontBufferCreated(front);
            return DD_OK;
        }
        if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT))
            return DDERR_INVALIDPARAMS;
        if (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > MaxSurfaceSide ||
            desc->dwHeight > MaxSurfaceSide)
            return DDERR_INVALIDPARAMS;
        *surface = new IDirectDrawSurface(static_cast<int>(desc->dwWidth),
                                          static_cast<int>(desc->dwHeight), caps);
        return DD_OK;
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
}

HRESULT IDirectDraw::FlipToGDISurface() {
    Backend::ShowDesktop();
    return DD_OK;
}

HRESULT IDirectDraw::RestoreDisplayMode() { return DD_OK; }

DWORD IDirectDraw::Release() {
    delete this;
    return 0;
}
