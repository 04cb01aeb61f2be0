// TextOutA and GetTextExtentPoint32A over arbitrary bytes and lengths, through a
// surface DC with the reader's Mincho font selected. The length given may be shorter
// or longer than the bytes (within the buffer) or negative.
#include "display/display.h"
#include "fuzz/fuzz_support.h"
#include "platform/win32.h"
#include "story/text_style.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartHeadlessReader();
    if (size < 6) return 0;
    const int height = 1 + data[0] % 64;
    const int x = static_cast<int8_t>(data[1]) * 6;
    const int y = static_cast<int8_t>(data[2]) * 4;
    const int lengthChoice = data[3];
    const bool useMemoryDc = data[4] & 1;
    const std::vector<char> text(data + 5, data + size);
    const int available = static_cast<int>(text.size());
    // Lengths: exact, shorter, zero or negative; never past the bytes given.
    int length = available;
    if (lengthChoice < 64) length = lengthChoice % (available + 1);
    else if (lengthChoice < 72) length = -(lengthChoice - 63);

    HDC dc = NULL;
    HDC surfaceDc = NULL;
    LPDIRECTDRAWSURFACE surface = SurfaceTable[TextLayerSurface];
    if (useMemoryDc) {
        dc = CreateCompatibleDC(NULL);
    } else if (surface->GetDC(&surfaceDc) == DD_OK) {
        dc = surfaceDc;
    }
    if (!dc) std::abort();
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET,
                             0, 0, 0,
                             0, MinchoFaceName);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(data[4], 255, 0));

    SIZE extent = {-1, -1};
    const BOOL measured = GetTextExtentPoint32A(dc, text.data(), length, &extent);
    if (measured && (extent.cx < 0 || extent.cy < 0)) std::abort();
    TextOutA(dc, x, y, text.data(), length);

    SelectObject(dc, previous);
    DeleteObject(font);
    if (useMemoryDc) DeleteDC(dc);
    else surface->ReleaseDC(surfaceDc);
    return 0;
}
