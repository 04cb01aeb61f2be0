// PatBlt: rectangles filled with the selected brush.
#include "platform/posix/gdi/colour_match.h"
#include "platform/posix/gdi/gdi_objects.h"
#include "platform/posix/idle/idle.h"
#include "platform/posix/pixels/pixels.h"

#include <utility>

using namespace posix::gdi;

BOOL WINAPI PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr || rop != PATCOPY) return FALSE;
    posix::idle::NoteWork();
    if (dc->brush == nullptr || dc->brush->hollow) return TRUE;
    // A negative width or height reaches left of x or above y.
    long long left = x, top = y, right = static_cast<long long>(x) + width,
              bottom = static_cast<long long>(y) + height;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    posix::pixels::FillClipped(dc->target, left, top, right, bottom,
                MatchColour(dc->palette, dc->paletteSize, dc->brush->colour));
    return TRUE;
}
