// Result codes DirectDraw returns that the reader's code never names, so the
// shared declarations leave them out.
#ifndef PLATFORM_POSIX_DDRAW_RESULTS_H
#define PLATFORM_POSIX_DDRAW_RESULTS_H

#include "platform/win32.h"

namespace posix::ddraw {

constexpr HRESULT kNoInterface = static_cast<HRESULT>(0x80004002u);       // E_NOINTERFACE
constexpr HRESULT kNoAggregation = static_cast<HRESULT>(0x80040110u);     // CLASS_E_NOAGGREGATION
constexpr HRESULT kSurfaceBusy = MAKE_DDHRESULT(430);                     // DDERR_SURFACEBUSY
constexpr HRESULT kImplicitlyCreated = MAKE_DDHRESULT(600);               // DDERR_IMPLICITLYCREATED
constexpr HRESULT kExclusiveModeAlreadySet = MAKE_DDHRESULT(581);         // DDERR_EXCLUSIVEMODEALREADYSET

// Pixel-format flags of an 8-bit palettised surface.
constexpr DWORD kPixelFormatPaletteIndexed8 = 0x00000020;  // DDPF_PALETTEINDEXED8
constexpr DWORD kPixelFormatRgb = 0x00000040;              // DDPF_RGB
constexpr DWORD kDescHasSourceKey = 0x00010000;            // DDSD_CKSRCBLT

}  // namespace posix::ddraw

#endif
