#include "display/display.h"

TextPainter TheTextPainter;

namespace {

void DrawInColour(HDC dc, int x, int y, const char* text, int length, COLORREF colour) {
    COLORREF previous = SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, length);
    SetTextColor(dc, previous);
}

int ByteLength(const char* text) {
    int length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

}  // namespace

// Draws text with its font made for this one call; returns the measured width,
// without the shadow. x or y of -1 centres the text on that axis. When the
// surface has no device context to give (it is lost), the text is measured on a
// memory context and not drawn, so the caller's layout stays right.
int TextPainter::DrawTextAt(int x, int y, int centreX, int centreY, const char* text, int height,
                            int width, int weight, int shadowOffset, COLORREF colour, int italic,
                            const char* faceName, int charSet, int slot, int escapement) {
    HFONT font = CreateFontA(height, width, escapement, 0, weight, italic, 0, 0, charSet, 0, 0,
                             0, 0, faceName);
    LPDIRECTDRAWSURFACE surface = SurfaceAt(slot);
    HDC dc = NULL;
    const bool drawable = surface && surface->GetDC(&dc) == DD_OK;
    if (!drawable) dc = CreateCompatibleDC(NULL);

    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = SelectObject(dc, font);
    const int length = ByteLength(text);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    if (x == -1) x = centreX - extent.cx / 2;
    if (y == -1) y = centreY - extent.cy / 2;
    if (drawable) {
        if (shadowOffset != 0)
            DrawInColour(dc, x + shadowOffset, y + shadowOffset, text, length, 0);
        DrawInColour(dc, x, y, text, length, colour);
    }
    SelectObject(dc, previousFont);
    if (drawable) {
        surface->ReleaseDC(dc);
    } else {
        DeleteDC(dc);
    }
    DeleteObject(font);
    return extent.cx;
}

int TextPainter::DrawScreenText(int x, int y, const char* text, int height, int width, int weight,
                                int shadowOffset, COLORREF colour, int italic,
                                const char* faceName, int charSet, int slot) {
    return DrawTextAt(x, y, 320, 240, text, height, width, weight, shadowOffset, colour, italic,
                      faceName, charSet, slot, 0);
}
