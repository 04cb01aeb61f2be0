// The picture onto a surface, and copies between surfaces with or without the key.
#include "display/display.h"

#include <cstdlib>

PictureLoad LoadedPicture = {NULL, 0, 0, 0, 0, 0, 0, 0};

int Display::LoadBitmapToSurface(const char* resourceName, int width, int height, int destX,
                                 int destY, int sourceX, int sourceY, int slot) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(NULL), resourceName,
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) std::exit(1);
    LoadedPicture = {resourceName, width, height, destX, destY, sourceX, sourceY, slot};

    HDC memoryDC = CreateCompatibleDC(NULL);
    HGDIOBJ previousBitmap = SelectObject(memoryDC, bitmap);
    LPDIRECTDRAWSURFACE surface = SurfaceAt(slot);
    HDC surfaceDC;
    if (surface && surface->GetDC(&surfaceDC) == DD_OK) {
        BitBlt(surfaceDC, destX, destY, width, height, memoryDC, sourceX, sourceY, SRCCOPY);
        surface->ReleaseDC(surfaceDC);
    }
    SelectObject(memoryDC, previousBitmap);
    DeleteDC(memoryDC);

    DDCOLORKEY key;
    key.dwColorSpaceLowValue = KeyColorIndex;
    key.dwColorSpaceHighValue = 0;
    for (int keyed = BackSurface; keyed < SurfaceSlotCount; ++keyed) {
        if (SurfaceTable[keyed]) SurfaceTable[keyed]->SetColorKey(DDCKEY_SRCBLT, &key);
    }
    DeleteObject(bitmap);
    return 1;
}

namespace {

// Copies stay inside both surfaces: DirectDraw's BltFast does not clip.
void FastCopy(int destX, int destY, RECT sourceRect, int destSlot, int sourceSlot, DWORD flags) {
    LPDIRECTDRAWSURFACE dest = SurfaceAt(destSlot);
    LPDIRECTDRAWSURFACE source = SurfaceAt(sourceSlot);
    if (!dest || !source || destX < 0 || destY < 0) return;
    dest->BltFast(destX, destY, source, &sourceRect, flags);
}

}  // namespace

void Display::BlitKeyed(int destX, int destY, RECT sourceRect, int destSlot, int sourceSlot) {
    FastCopy(destX, destY, sourceRect, destSlot, sourceSlot,
             DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Display::BlitOpaque(int destX, int destY, RECT sourceRect, int destSlot, int sourceSlot) {
    FastCopy(destX, destY, sourceRect, destSlot, sourceSlot,
             DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT);
}

void Display::BlitKeyedRect(int destX, int destY, int sourceLeft, int sourceTop, int width,
                            int height, int destSlot, int sourceSlot) {
    RECT sourceRect;
    SetRect(&sourceRect, sourceLeft, sourceTop, sourceLeft + width, sourceTop + height);
    BlitKeyed(destX, destY, sourceRect, destSlot, sourceSlot);
}

void Display::BlitOpaqueRect(int destX, int destY, int sourceLeft, int sourceTop, int width,
                             int height, int destSlot, int sourceSlot) {
    RECT sourceRect;
    SetRect(&sourceRect, sourceLeft, sourceTop, sourceLeft + width, sourceTop + height);
    BlitOpaque(destX, destY, sourceRect, destSlot, sourceSlot);
}

void Display::CopyKeyed(int x, int y, int width, int height, int destSlot, int sourceSlot) {
    BlitKeyedRect(x, y, x, y, width, height, destSlot, sourceSlot);
}

void Display::CopyOpaque(int x, int y, int width, int height, int destSlot, int sourceSlot) {
    BlitOpaqueRect(x, y, x, y, width, height, destSlot, sourceSlot);
}
