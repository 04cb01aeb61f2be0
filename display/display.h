// The DirectDraw display: six surfaces by slot number, one palette, and the four
// data-less objects whose operations draw everything the reader shows.
#ifndef DISPLAY_DISPLAY_H
#define DISPLAY_DISPLAY_H

#include "platform/win32.h"

enum SurfaceSlot {
    FrontSurface = 0,      // primary surface, the visible page of the flipping pair
    BackSurface = 1,       // its back buffer, where pages are composed
    BackdropSurface = 2,   // the picture
    TextLayerSurface = 3,  // the story text over KeyColorIndex
    SpareSurface = 4,      // slots 4 and 5: made, keyed, restored, never drawn on
    SurfaceSlotCount = 6
};

const DWORD KeyColorIndex = 240;
const COLORREF KeyFillColour = 0x010101;  // GDI matches it to KeyColorIndex
const int FixedPaletteIndex = 112;
const int FadeStep = 8;
const DWORD FadeStepMs = 20;

extern LPDIRECTDRAW DirectDrawObject;
extern LPDIRECTDRAWSURFACE SurfaceTable[SurfaceSlotCount];
extern LPDIRECTDRAWPALETTE DisplayPalette;
extern PALETTEENTRY MasterPalette[256];
extern PALETTEENTRY WorkPalette[256];

struct Display {
    int InitDisplay(HWND window, int modeWidth, int modeHeight, int backdropWidth,
                    int backdropHeight);
    void ReleaseDisplay();
    void RestoreSurfaces();
    void ClearSurface(int slot);
    void FlipPages();
    int LoadPaletteFromBitmap(const char* resourceName);
    int LoadBitmapToSurface(const char* resourceName, int width, int height, int destX,
                            int destY, int sourceX, int sourceY, int slot);
    void BlitKeyed(int destX, int destY, RECT sourceRect, int destSlot, int sourceSlot);
    void BlitOpaque(int destX, int destY, RECT sourceRect, int destSlot, int sourceSlot);
    void BlitKeyedRect(int destX, int destY, int sourceLeft, int sourceTop, int width,
                       int height, int destSlot, int sourceSlot);
    void BlitOpaqueRect(int destX, int destY, int sourceLeft, int sourceTop, int width,
                        int height, int destSlot, int sourceSlot);
    void CopyKeyed(int x, int y, int width, int height, int destSlot, int sourceSlot);
    void CopyOpaque(int x, int y, int width, int height, int destSlot, int sourceSlot);
};

struct Brightness {
    void SetBrightness(int offset);
    void FadeUp(int from, int to);
    void FadeDown(int from, int to);
};

struct RectPainter {
    void FillRectOn(int slot, int x, int y, int width, int height, COLORREF colour);
};

struct TextPainter {
    int DrawTextAt(int x, int y, int centreX, int centreY, const char* text, int height,
                   int width, int weight, int shadowOffset, COLORREF colour, int italic,
                   const char* faceName, int charSet, int slot, int escapement);
    int DrawScreenText(int x, int y, const char* text, int height, int width, int weight,
                       int shadowOffset, COLORREF colour, int italic, const char* faceName,
                       int charSet, int slot);
};

extern Display TheDisplay;
extern Brightness TheBrightness;
extern RectPainter TheRectPainter;
extern TextPainter TheTextPainter;

// The surface in a slot, or null for a slot number outside the table or an empty slot.
LPDIRECTDRAWSURFACE SurfaceAt(int slot);

#endif
