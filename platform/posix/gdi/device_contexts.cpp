// Device contexts: on a surface's pixels (for ddraw) and in memory, and their
// text state.
#include "platform/posix/gdi/gdi.h"
#include "platform/posix/gdi/gdi_objects.h"

using namespace posix::gdi;

namespace posix::gdi {

HDC CreatePixelDC(const IndexedPixels& target, const PALETTEENTRY* matchPalette) {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0 ||
        target.pitch < target.width || matchPalette == nullptr)
        return nullptr;
    auto* dc = new DeviceContext;
    dc->target = target;
    dc->palette = matchPalette;
    dc->paletteSize = 256;
    return RegisterDeviceContext(dc);
}

void DestroyPixelDC(HDC handle) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc != nullptr && !dc->memory) DestroyDeviceContext(dc);
}

}  // namespace posix::gdi

HDC WINAPI CreateCompatibleDC(HDC reference) {
    if (reference != nullptr && LiveDeviceContext(reference) == nullptr) return nullptr;
    auto* dc = new DeviceContext;
    dc->memory = true;
    return RegisterDeviceContext(dc);
}

BOOL WINAPI DeleteDC(HDC handle) {
    DeviceContext* dc = LiveDeviceContext(handle);
    // A surface's DC goes back through the surface's ReleaseDC, not here.
    if (dc == nullptr || !dc->memory) return FALSE;
    DestroyDeviceContext(dc);
    return TRUE;
}

int WINAPI SetBkMode(HDC handle, int mode) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr) return 0xFFFFFFFFu;  // CLR_INVALID
    const COLORREF previous = dc->textColour;
    dc->textColour = colour & 0x00FFFFFF;
    return previous;
}
