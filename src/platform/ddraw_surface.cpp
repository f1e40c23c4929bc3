// Surfaces in plain memory: locks, colour fills, 1:1 copies with and without a source colour key,
// the flip of the front and back buffers, and the lost/restored state that the headless back end
// can simulate. Every rectangle is checked against both surfaces: a copy or fill that does not fit
// is refused whole, as the blitter always did, and never touches memory outside a surface.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/backend.h"
#include "platform/ddraw.h"

namespace {

// Rows start on 16-byte boundaries, so the pitch of an odd-width surface exceeds its row.
int PitchFor(int width) { return ((width * 2 + 15) / 16) * 16; }

bool RectInside(const RECT& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height &&
           r.left < r.right && r.top < r.bottom;
}

void CopyRow(uint16_t* __restrict dest, const uint16_t* __restrict source, int count) {
    std::memcpy(dest, source, static_cast<size_t>(count) * 2);
}

void CopyRowKeyed(uint16_t* __restrict dest, const uint16_t* __restrict source, int count,
                  uint16_t key) {
    for (int i = 0; i < count; ++i) {
        const uint16_t pixel = source[i];
        dest[i] = pixel == key ? dest[i] : pixel;
    }
}

}  // namespace

IDirectDrawSurface::IDirectDrawSurface(int width, int height, DWORD caps)
    : width_(width), height_(height), pitch_(PitchFor(width)), caps_(caps) {
    pixels_.assign(static_cast<size_t>(pitch_ / 2) * static_cast<size_t>(height), 0);
}

HRESULT IDirectDrawSurface::CheckUsable() const {
    if (lost_) return DDERR_SURFACELOST;
    if (locked_) return DDERR_SURFACEBUSY;
    return DD_OK;
}

void IDirectDrawSurface::Changed() {
    if (primary_) Backend::FrontBufferChanged();
}

void IDirectDrawSurface::SetLost(bool lost, bool forever) {
    lost_ = lost;
    lostForever_ = lost && forever;
    if (attached_) attached_->SetLost(lost, forever);
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD, void*) {
    if (desc == nullptr || rect != nullptr) return DDERR_INVALIDPARAMS;
    if (HRESULT result = CheckUsable(); result != DD_OK) return result;
    locked_ = true;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->lpSurface = pixels_.data();
    desc->ddsCaps.dwCaps = caps_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::Unlock(void*) {
    if (!locked_) return DDERR_INVALIDPARAMS;
    locked_ = false;
    Changed();
    return DD_OK;
}

HRESULT IDirectDrawSurface::Blt(RECT* destRect, IDirectDrawSurface*, RECT*, DWORD flags,
                                DDBLTFX* fx) {
    // The game only ever fills with a colour; stretching copies are not part of our blitter.
    if (!(flags & DDBLT_COLORFILL) || fx == nullptr) return DDERR_UNSUPPORTED;
    if (HRESULT result = CheckUsable(); result != DD_OK) return result;
    const RECT r = destRect ? *destRect : RECT{0, 0, width_, height_};
    if (!RectInside(r, width_, height_)) return DDERR_INVALIDRECT;
    const uint16_t value = static_cast<uint16_t>(fx->dwFillColor);
    const int count = r.right - r.left;
    const int stride = pitch_ / 2;
    for (int y = r.top; y < r.bottom; ++y) {
        uint16_t* row = pixels_.data() + static_cast<size_t>(y) * stride + r.left;
        std::fill_n(row, count, value);
    }
    Changed();
    return DD_OK;
}

HRESULT IDirectDrawSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect,
                                    DWORD flags) {
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    if (HRESULT result = source->CheckUsable(); result != DD_OK) return result;
    if (HRESULT result = CheckUsable(); result != DD_OK) return result;
    const RECT r = sourceRect ? *sourceRect : RECT{0, 0, source->width_, source->height_};
    if (!RectInside(r, source->width_, source->height_)) return DDERR_INVALIDRECT;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (x > static_cast<DWORD>(width_ - w) || y > static_cast<DWORD>(height_ - h) || w > width_ ||
        h > height_)
        return DDERR_INVALIDRECT;

    const int destStride = pitch_ / 2;
    const int sourceStride = source->pitch_ / 2;
    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && source->hasKey_;
    // A copy within one surface walks the rows away from the overlap.
    const bool upwards = source == this && static_cast<LONG>(y) > r.top;
    for (int i = 0; i < h; ++i) {
        const int row = upwards ? h - 1 - i : i;
        uint16_t* dest = pixels_.data() + static_cast<size_t>(y + row) * destStride + x;
        const uint16_t* from =
            source->pixels_.data() + static_cast<size_t>(r.top + row) * sourceStride + r.left;
        if (source == this) {
            if (keyed) {
                for (int k = 0; k < w; ++k)
                    if (from[k] != source->key_) dest[k] = from[k];
            } else {
                std::memmove(dest, from, static_cast<size_t>(w) * 2);
            }
        } else if (keyed) {
            CopyRowKeyed(dest, from, w, source->key_);
        } else {
            CopyRow(dest, from, w);
        }
    }
    Changed();
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
    if (lost_) return DDERR_SURFACELOST;
    if (key == nullptr) {
        hasKey_ = false;
        return DD_OK;
    }
    // Our keys are single values; the game always gives both ends the same one.
    hasKey_ = true;
    key_ = static_cast<uint16_t>(key->dwColorSpaceLowValue);
    return DD_OK;
}

HRESULT IDirectDrawSurface::Flip(IDirectDrawSurface*, DWORD) {
    if (!primary_ || attached_ == nullptr) return DDERR_INVALIDOBJECT;
    if (HRESULT result = CheckUsable(); result != DD_OK) return result;
    if (HRESULT result = attached_->CheckUsable(); result != DD_OK) return result;
    pixels_.swap(attached_->pixels_);
    Changed();
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached) {
    if (caps == nullptr || attached == nullptr) return DDERR_INVALIDPARAMS;
    if (attached_ == nullptr || !(caps->dwCaps & DDSCAPS_BACKBUFFER)) return DDERR_NOTFOUND;
    *attached = attached_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetPixelFormat(DDPIXELFORMAT* format) {
    if (format == nullptr) return DDERR_INVALIDPARAMS;
    const bool is565 = Backend::GreenBits() == 6;
    format->dwFlags = 0x40;  // RGB
    format->dwRGBBitCount = 16;
    format->dwRBitMask = is565 ? 0xF800 : 0x7C00;
    format->dwGBitMask = is565 ? 0x07E0 : 0x03E0;
    format->dwBBitMask = 0x001F;
    return DD_OK;
}

HRESULT IDirectDrawSurface::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface::Restore() {
    if (lostForever_) return DDERR_SURFACELOST;
    // The memory is back; what it held is not (it is left as it was).
    lost_ = false;
    if (attached_) attached_->Restore();
    return DD_OK;
}

DWORD IDirectDrawSurface::Release() {
    // Every surface has one owner, its creator; the back buffer lives and dies with its front.
    if (isBackBuffer_) return 1;
    if (primary_) Backend::FrontBufferCreated(nullptr);
    if (attached_) {
        attached_->isBackBuffer_ = false;
        attached_->Release();
    }
    delete this;
    return 0;
}
