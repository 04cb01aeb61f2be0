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
extern PALETTEENTRY* LastSentPalette;  // what the display shows: Master or Work

// The mode InitDisplay took, taken again when the primary comes back in another.
extern int DisplayModeWidth;
extern int DisplayModeHeight;

// The last LoadBitmapToSurface, done again when its surface has lost its memory.
struct PictureLoad {
    const char* resourceName;  // null until a picture is loaded
    int width, height, destX, destY, sourceX, sourceY, slot;
};
extern PictureLoad LoadedPicture;

struct Display {
    int InitDisplay(HWND window, int modeWidth, int modeHeight, int backdropWidth,
                    int backdropHeight);
    void ReleaseDisplay();
    // Restores lost surfaces, then clears the front page and flips. When lost
    // surfaces came back, it first puts back what the display drew itself (both
    // pages cleared, the picture with its keys, the text layer filled with the
    // key) and returns 1 with MasterPalette in effect, so that the caller can put
    // back its own drawing before TheBrightness.ResendPalette(). active says the
    // program has the focus (WM_ACTIVATEAPP's wParam): only then may it take its
    // display mode back.
    int RestoreSurfaces(BOOL active);
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
    void ResendPalette();  // LastSentPalette again, as after a loss of the display
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
