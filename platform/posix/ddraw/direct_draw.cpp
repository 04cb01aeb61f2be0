#include "platform/posix/ddraw/direct_draw.h"

#include "platform/posix/ddraw/com_object.h"
#include "platform/posix/ddraw/ddraw_results.h"
#include "platform/posix/ddraw/display_state.h"
#include "platform/posix/ddraw/palette.h"
#include "platform/posix/ddraw/surface.h"
#include "platform/posix/screen/screen.h"
#include "platform/posix/video/video.h"

#include <new>

namespace posix::ddraw {

namespace {

constexpr DWORD kLargestSide = 8192;
constexpr DWORD kOffscreenCapsAllowed =
    DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY;
constexpr DWORD kPrimaryCapsAllowed =
    DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;

bool SideFits(DWORD side) { return side >= 1 && side <= kLargestSide; }

bool IsEightBitFormat(const DDPIXELFORMAT& format) {
    return format.dwRGBBitCount == 8 && (format.dwFlags & kPixelFormatPaletteIndexed8);
}

}  // namespace

DirectDraw::DirectDraw() { Display().directDraws.push_back(this); }

DirectDraw::~DirectDraw() {
    FreeChildren();
    if (Exclusive()) Display().exclusiveOwner = nullptr;
    GiveScreenBack();
    Forget(Display().directDraws, this);
}

HRESULT DirectDraw::CreatePalette(DWORD flags, LPPALETTEENTRY colours,
                                  LPDIRECTDRAWPALETTE* palette, IUnknown* outer) {
    if (!palette) return DDERR_INVALIDPARAMS;
    *palette = nullptr;
    if (outer) return kNoAggregation;
    if (level_ == 0) return DDERR_NOCOOPERATIVELEVELSET;
    if (flags & DDPCAPS_4BIT) return DDERR_UNSUPPORTED;
    if (!(flags & DDPCAPS_8BIT) || !colours) return DDERR_INVALIDPARAMS;
    *palette = new Palette(this, flags, colours);
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                  IUnknown* outer) {
    if (!desc || !surface) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (outer) return kNoAggregation;
    if (desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
    if (level_ == 0) return DDERR_NOCOOPERATIVELEVELSET;
    const DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    try {
        return (caps & DDSCAPS_PRIMARYSURFACE) ? MakePrimary(*desc, surface)
                                               : MakeOffscreen(*desc, surface);
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
}

HRESULT DirectDraw::RestoreDisplayMode() {
    if (!Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    if (Display().modeOwner == this) {
        GiveScreenBack();
        MarkAllSurfacesLost();  // their mode is gone
    }
    return DD_OK;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    DisplayState& display = Display();
    if (flags & DDSCL_EXCLUSIVE) {
        if (!(flags & DDSCL_FULLSCREEN) || (flags & DDSCL_NORMAL) || !window) {
            return DDERR_INVALIDPARAMS;
        }
        if (display.exclusiveOwner && display.exclusiveOwner != this) {
            return kExclusiveModeAlreadySet;
        }
        display.exclusiveOwner = this;
    } else if (flags & DDSCL_NORMAL) {
        if (flags & DDSCL_FULLSCREEN) return DDERR_INVALIDPARAMS;
        if (Exclusive()) {
            GiveScreenBack();
            display.exclusiveOwner = nullptr;
        }
    } else {
        return DDERR_INVALIDPARAMS;
    }
    level_ = flags;
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bpp) {
    if (!Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    if (bpp != 8 || !SideFits(width) || !SideFits(height)) return DDERR_INVALIDMODE;
    DisplayState& display = Display();
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    if (display.modeOwner == this && display.modeWidth == w && display.modeHeight == h) {
        return DD_OK;
    }
    if (!screen::OpenScreen(w, h)) return DDERR_UNSUPPORTED;
    if (display.modeOwner) MarkAllSurfacesLost();  // a mode change loses video memory
    display.modeOwner = this;
    display.modeWidth = w;
    display.modeHeight = h;
    return DD_OK;
}

bool DirectDraw::Exclusive() const { return Display().exclusiveOwner == this; }

HRESULT DirectDraw::MakePrimary(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface) {
    const DWORD caps = desc.ddsCaps.dwCaps;
    if (desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;  // mode decides
    if (caps & ~kPrimaryCapsAllowed) return DDERR_INVALIDPARAMS;
    const bool flipping = (caps & DDSCAPS_FLIP) != 0;
    if (flipping != ((caps & DDSCAPS_COMPLEX) != 0)) return DDERR_INVALIDPARAMS;
    if (flipping) {
        if (!(desc.dwFlags & DDSD_BACKBUFFERCOUNT) || desc.dwBackBufferCount == 0) {
            return DDERR_INVALIDPARAMS;
        }
        if (desc.dwBackBufferCount > 1) return DDERR_UNSUPPORTED;
    }
    DisplayState& display = Display();
    if (display.primary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    if (!Exclusive()) return DDERR_NOEXCLUSIVEMODE;
    if (display.modeOwner != this) return DDERR_WRONGMODE;  // no 8-bit mode of ours is set
    *surface = Surface::CreatePrimary(this, display.modeWidth, display.modeHeight, flipping);
    return DD_OK;
}

HRESULT DirectDraw::MakeOffscreen(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface) {
    const DWORD caps = desc.ddsCaps.dwCaps;
    if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) {
        return DDERR_INVALIDPARAMS;
    }
    if ((caps & ~kOffscreenCapsAllowed) || (desc.dwFlags & DDSD_BACKBUFFERCOUNT)) {
        return DDERR_INVALIDPARAMS;
    }
    if (!SideFits(desc.dwWidth) || !SideFits(desc.dwHeight)) return DDERR_INVALIDPARAMS;
    if ((desc.dwFlags & DDSD_PIXELFORMAT) && !IsEightBitFormat(desc.ddpfPixelFormat)) {
        return DDERR_UNSUPPORTED;
    }
    *surface = Surface::CreateOffscreen(this, static_cast<int>(desc.dwWidth),
                                        static_cast<int>(desc.dwHeight));
    return DD_OK;
}

void DirectDraw::GiveScreenBack() {
    DisplayState& display = Display();
    if (display.modeOwner != this) return;
    screen::CloseScreen();
    display.modeOwner = nullptr;
    display.modeWidth = 0;
    display.modeHeight = 0;
}

void DirectDraw::FreeChildren() {
    // Surfaces first: they hold references to palettes.
    for (;;) {
        Surface* next = nullptr;
        for (Surface* surface : Display().surfaces) {
            if (surface->Owner() == this) next = surface;
        }
        if (!next) break;
        Surface::Destroy(next);
    }
    for (;;) {
        Palette* next = nullptr;
        for (Palette* palette : Display().palettes) {
            if (palette->Owner() == this) next = palette;
        }
        if (!next) break;
        delete next;
    }
}

}  // namespace posix::ddraw

HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    using namespace posix::ddraw;
    if (!directDraw) return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (driver) return DDERR_INVALIDPARAMS;  // only the active display driver exists here
    if (outer) return kNoAggregation;
    if (!posix::video::EnsureVideo()) return DDERR_NODIRECTDRAWHW;
    ConnectToScreen();
    *directDraw = new DirectDraw();
    return DD_OK;
}
