#include "display/display.h"

RectPainter TheRectPainter;

// A GDI brush fill: the colour is matched against the palette in effect.
void RectPainter::FillRectOn(int slot, int x, int y, int width, int height, COLORREF colour) {
    LPDIRECTDRAWSURFACE surface = SurfaceAt(slot);
    HDC dc;
    if (!surface || surface->GetDC(&dc) != DD_OK) return;
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    PatBlt(dc, x, y, width, height, PATCOPY);
    SelectObject(dc, previousBrush);
    DeleteObject(brush);
    surface->ReleaseDC(dc);
}
