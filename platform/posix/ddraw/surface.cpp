#include "platform/posix/ddraw/surface.h"

#include "platform/posix/ddraw/com_object.h"
#include "platform/posix/ddraw/ddraw_results.h"
#include "platform/posix/ddraw/display_state.h"
#include "platform/posix/ddraw/palette.h"
#include "platform/posix/gdi/gdi.h"
#include "platform/posix/idle/idle.h"
#include "platform/posix/screen/screen.h"

#include <cstring>
#include <utility>

namespace posix::ddraw {

namespace {

constexpr DWORD kFlipChainCaps = DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;

int RowPitch(int width) { return (width + 3) & ~3; }  // rows start on 4-byte boundaries

RECT WholeOf(int width, int height) { return RECT{0, 0, width, height}; }

}  // namespace

Surface::Surface(DirectDraw* owner, SurfaceRole role, int width, int height)
    : ComObject(role == SurfaceRole::Back ? 0 : 1),  // a back buffer is held by its chain
      owner_(owner),
      role_(role),
      width_(width),
      height_(height),
      pitch_(RowPitch(width)),
      page_(static_cast<size_t>(RowPitch(width)) * height, 0) {
    Display().surfaces.push_back(this);
}

Surface::~Surface() {
    if (dc_) gdi::DestroyPixelDC(dc_);
    if (palette_) palette_->Release();
    if (Display().primary == this) {
        Display().primary = nullptr;
        RefreshShownPalette();
    }
    Forget(Display().surfaces, this);
}

Surface* Surface::CreatePrimary(DirectDraw* owner, int width, int height, bool withBackBuffer) {
    Surface* front = new Surface(owner, SurfaceRole::Front, width, height);
    if (withBackBuffer) {
        try {
            front->partner_ = new Surface(owner, SurfaceRole::Back, width, height);
        } catch (...) {
            delete front;
            throw;
        }
        front->partner_->partner_ = front;
    }
    Display().primary = front;
    RefreshShownPalette();
    return front;
}

Surface* Surface::CreateOffscreen(DirectDraw* owner, int width, int height) {
    return new Surface(owner, SurfaceRole::Offscreen, width, height);
}

void Surface::Destroy(Surface* surface) {
    if (surface->role_ == SurfaceRole::Back) surface = surface->partner_;  // the chain goes whole
    if (surface->role_ == SurfaceRole::Front && surface->partner_) delete surface->partner_;
    delete surface;
}

// A back buffer goes with its chain, never alone.
void Surface::LastReleased() {
    if (role_ != SurfaceRole::Back) Destroy(this);
}

HRESULT Surface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE, LPRECT, DWORD flags, LPDDBLTFX fx) {
    idle::NoteWork();
    if (!(flags & DDBLT_COLORFILL)) return DDERR_UNSUPPORTED;  // only colour fills are used
    if (!fx || fx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
    if (const HRESULT state = CheckDrawable(); state != DD_OK) return state;
    const RECT area = destRect ? *destRect : WholeOf(width_, height_);
    if (!pixels::RectFits(area, width_, height_)) return DDERR_INVALIDRECT;
    pixels::FillRect(Pixels(), area, static_cast<uint8_t>(fx->dwFillColor));
    AfterFrontDrawing();
    return DD_OK;
}

HRESULT Surface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE sourceSurface, LPRECT sourceRect,
                         DWORD trans) {
    idle::NoteWork();
    if (!sourceSurface) return DDERR_INVALIDPARAMS;
    if (trans & DDBLTFAST_DESTCOLORKEY) return DDERR_UNSUPPORTED;
    Surface* source = static_cast<Surface*>(sourceSurface);
    if (const HRESULT state = CheckDrawable(); state != DD_OK) return state;
    if (const HRESULT state = source->CheckDrawable(); state != DD_OK) return state;
    const bool keyed = (trans & DDBLTFAST_SRCCOLORKEY) != 0;
    if (keyed && !source->hasSourceKey_) return DDERR_NOCOLORKEY;

    const RECT area = sourceRect ? *sourceRect : WholeOf(source->width_, source->height_);
    if (!pixels::RectFits(area, source->width_, source->height_)) return DDERR_INVALIDRECT;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!pixels::BlockFits(x, y, width, height, width_, height_)) return DDERR_INVALIDRECT;

    const IndexedPixels from = source->Pixels();
    const IndexedPixels to = Pixels();
    if (keyed) {
        pixels::CopyKeyed(from, area, to, static_cast<int>(x), static_cast<int>(y), source->sourceKey_);
    } else {
        pixels::CopyOpaque(from, area, to, static_cast<int>(x), static_cast<int>(y));
    }
    AfterFrontDrawing();
    return DD_OK;
}

HRESULT Surface::Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD) {
    idle::NoteWork();
    if (role_ != SurfaceRole::Front || !partner_) return DDERR_NOTFLIPPABLE;
    if (targetOverride && targetOverride != partner_) return DDERR_INVALIDPARAMS;
    if (const HRESULT state = CheckDrawable(); state != DD_OK) return state;
    if (const HRESULT state = partner_->CheckDrawable(); state != DD_OK) return state;
    // The pages move, the interfaces stay: this pointer now shows the former back page.
    std::swap(page_, partner_->page_);
    screen::PresentNow();
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* attached) {
    if (!caps || !attached) return DDERR_INVALIDPARAMS;
    *attached = nullptr;
    if (!partner_ || caps->dwCaps == 0 || (partner_->Caps() & caps->dwCaps) != caps->dwCaps) {
        return DDERR_NOTFOUND;
    }
    partner_->AddRef();
    *attached = partner_;
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* dc) {
    idle::NoteWork();
    if (!dc) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (lost_) return DDERR_SURFACELOST;
    if (dc_) return DDERR_DCALREADYCREATED;
    dc_ = gdi::CreatePixelDC(Pixels(), ShownPalette());
    if (!dc_) return DDERR_GENERIC;
    *dc = dc_;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC dc) {
    idle::NoteWork();
    if (!dc_) return DDERR_NODC;
    if (dc != dc_) return DDERR_INVALIDPARAMS;
    gdi::DestroyPixelDC(dc_);
    dc_ = nullptr;
    AfterFrontDrawing();
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    std::memset(desc, 0, sizeof(DDSURFACEDESC));
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = width_;
    desc->dwHeight = height_;
    desc->lPitch = pitch_;
    if (role_ == SurfaceRole::Front && partner_) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    if (hasSourceKey_) {
        desc->dwFlags |= kDescHasSourceKey;
        desc->ddckCKSrcBlt.dwColorSpaceLowValue = sourceKey_.low;
        desc->ddckCKSrcBlt.dwColorSpaceHighValue = sourceKey_.high;
    }
    desc->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    desc->ddpfPixelFormat.dwFlags = kPixelFormatPaletteIndexed8 | kPixelFormatRgb;
    desc->ddpfPixelFormat.dwRGBBitCount = 8;
    desc->ddsCaps.dwCaps = Caps();
    return DD_OK;
}

HRESULT Surface::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT Surface::Restore() {
    if (!lost_) return DD_OK;
    if (role_ == SurfaceRole::Back) return kImplicitlyCreated;  // it comes back with its chain
    const DisplayState& display = Display();
    if (role_ == SurfaceRole::Front &&
        (display.modeOwner != owner_ || display.modeWidth != width_ ||
         display.modeHeight != height_)) {
        return DDERR_WRONGMODE;
    }
    // The pixels survive here; Windows leaves them undefined, so callers redraw anyway.
    lost_ = false;
    if (partner_) partner_->lost_ = false;
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD flags, LPDDCOLORKEY key) {
    if (flags & DDCKEY_DESTBLT) return DDERR_UNSUPPORTED;
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    if (!key) {
        hasSourceKey_ = false;
        return DD_OK;
    }
    const DWORD low = key->dwColorSpaceLowValue;
    const DWORD high = (flags & DDCKEY_COLORSPACE) ? key->dwColorSpaceHighValue : low;
    if (low > 255 || high > 255 || high < low) return DDERR_INVALIDPARAMS;
    sourceKey_ = pixels::KeyRange{static_cast<uint8_t>(low), static_cast<uint8_t>(high)};
    hasSourceKey_ = true;
    return DD_OK;
}

HRESULT Surface::SetPalette(LPDIRECTDRAWPALETTE palette) {
    Palette* next = static_cast<Palette*>(palette);
    if (next) next->AddRef();
    if (palette_) palette_->Release();
    palette_ = next;
    if (Display().primary == this) {
        RefreshShownPalette();
        screen::PresentNow();
    }
    return DD_OK;
}

IndexedPixels Surface::Pixels() {
    IndexedPixels pixels;
    pixels.width = width_;
    pixels.height = height_;
    pixels.pitch = pitch_;
    pixels.pixels = page_.data();
    return pixels;
}

void Surface::MarkLost() { lost_ = true; }

DWORD Surface::Caps() const {
    switch (role_) {
    case SurfaceRole::Front:
        return DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER |
               (partner_ ? kFlipChainCaps : DDSCAPS_VIDEOMEMORY);
    case SurfaceRole::Back:
        return DDSCAPS_BACKBUFFER | kFlipChainCaps;
    case SurfaceRole::Offscreen:
        break;
    }
    return DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
}

HRESULT Surface::CheckDrawable() const {
    if (lost_) return DDERR_SURFACELOST;
    if (dc_) return kSurfaceBusy;  // a device context holds the pixels
    return DD_OK;
}

void Surface::AfterFrontDrawing() {
    if (role_ == SurfaceRole::Front) screen::PresentSoon();
}

}  // namespace posix::ddraw
