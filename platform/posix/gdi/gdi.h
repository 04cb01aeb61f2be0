// What DirectDraw uses of GDI: device contexts that draw onto a surface's pixels.
#ifndef PLATFORM_POSIX_GDI_GDI_H
#define PLATFORM_POSIX_GDI_GDI_H

#include "platform/posix/pixels/pixels.h"
#include "platform/win32.h"

namespace posix::gdi {

// A device context that draws onto target, matching colours against the 256
// entries at matchPalette as they stand when each drawing call is made.
// ddraw's GetDC makes one, its ReleaseDC destroys it.
HDC CreatePixelDC(const IndexedPixels& target, const PALETTEENTRY* matchPalette);
void DestroyPixelDC(HDC dc);

}  // namespace posix::gdi

#endif
