// Taking the screen, the surface table, restoring lost surfaces and giving it all back.
#include "display/display.h"

#include <cstring>

Display TheDisplay;

LPDIRECTDRAW DirectDrawObject = NULL;
LPDIRECTDRAWSURFACE SurfaceTable[SurfaceSlotCount] = {};
LPDIRECTDRAWPALETTE DisplayPalette = NULL;
int DisplayModeWidth = 0;
int DisplayModeHeight = 0;

LPDIRECTDRAWSURFACE SurfaceAt(int slot) {
    if (slot < 0 || slot >= SurfaceSlotCount) return NULL;
    return SurfaceTable[slot];
}

// Any failure after DirectDrawCreate is reported like DirectDrawCreate's own, so
// that the caller ends the program before a missing surface or palette is used.
int Display::InitDisplay(HWND window, int modeWidth, int modeHeight, int backdropWidth,
                         int backdropHeight) {
    if (DirectDrawCreate(NULL, &DirectDrawObject, NULL) != DD_OK) return 0;
    DisplayModeWidth = modeWidth;
    DisplayModeHeight = modeHeight;
    if (DirectDrawObject->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK)
        return 0;
    if (DirectDrawObject->SetDisplayMode(modeWidth, modeHeight, 8) != DD_OK) return 0;

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    if (DirectDrawObject->CreateSurface(&desc, &SurfaceTable[FrontSurface], NULL) != DD_OK)
        return 0;

    DDSCAPS backBufferCaps;
    backBufferCaps.dwCaps = DDSCAPS_BACKBUFFER;
    if (SurfaceTable[FrontSurface]->GetAttachedSurface(&backBufferCaps,
                                                       &SurfaceTable[BackSurface]) != DD_OK)
        return 0;

    // MasterPalette is still all zero here, so the screen starts black.
    if (DirectDrawObject->CreatePalette(DDPCAPS_8BIT, MasterPalette, &DisplayPalette, NULL) != DD_OK)
        return 0;
    if (SurfaceTable[FrontSurface]->SetPalette(DisplayPalette) != DD_OK) return 0;

    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = backdropWidth;
    desc.dwHeight = backdropHeight;
    if (DirectDrawObject->CreateSurface(&desc, &SurfaceTable[BackdropSurface], NULL) != DD_OK)
        return 0;
    desc.dwWidth = 640;
    desc.dwHeight = 480;
    for (int slot = TextLayerSurface; slot < SurfaceSlotCount; ++slot) {
        if (DirectDrawObject->CreateSurface(&desc, &SurfaceTable[slot], NULL) != DD_OK) return 0;
    }
    return 1;
}

// BackSurface belongs to FrontSurface's flipping chain and goes with it.
void Display::ReleaseDisplay() {
    const int releaseOrder[] = {BackdropSurface, TextLayerSurface, SpareSurface, SpareSurface + 1};
    for (int slot : releaseOrder) {
        if (SurfaceTable[slot]) SurfaceTable[slot]->Release();
    }
    if (DisplayPalette) DisplayPalette->Release();
    if (SurfaceTable[FrontSurface]) SurfaceTable[FrontSurface]->Release();
    if (DirectDrawObject) DirectDrawObject->Release();
}

namespace {

const int RestoreOrder[] = {BackdropSurface, TextLayerSurface, SpareSurface, SpareSurface + 1,
                            FrontSurface};

// Restores each lost surface; true when one was lost. wrongMode is set when the
// primary could not come back because the screen is in another mode.
bool RestoreLostSurfaces(bool* wrongMode) {
    bool anyLost = false;
    for (int slot : RestoreOrder) {
        LPDIRECTDRAWSURFACE surface = SurfaceTable[slot];
        if (!surface || surface->IsLost() == DD_OK) continue;
        anyLost = true;
        if (surface->Restore() == DDERR_WRONGMODE && slot == FrontSurface) *wrongMode = true;
    }
    return anyLost;
}

bool AnySurfaceLost() {
    for (int slot : RestoreOrder) {
        if (SurfaceTable[slot] && SurfaceTable[slot]->IsLost() != DD_OK) return true;
    }
    return false;
}

// A restored surface holds whatever the driver left in it. GDI matches the
// picture's and the key's colours against the palette in effect, so the
// picture's own palette is sent first, whatever the brightness was.
void PutBackDisplayContents() {
    TheDisplay.ClearSurface(BackSurface);
    TheDisplay.ClearSurface(FrontSurface);
    if (DisplayPalette) DisplayPalette->SetEntries(0, 0, 256, MasterPalette);
    if (LoadedPicture.resourceName) {
        const PictureLoad load = LoadedPicture;
        TheDisplay.LoadBitmapToSurface(load.resourceName, load.width, load.height, load.destX,
                                       load.destY, load.sourceX, load.sourceY, load.slot);
    }
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
}

}  // namespace

int Display::RestoreSurfaces(BOOL active) {
    bool wrongMode = false;
    const bool lost = RestoreLostSurfaces(&wrongMode);
    // A system may give the desktop its own mode while the program is away and
    // leave it so on return (Wine does): the primary comes back only in its mode.
    if (wrongMode && active && DirectDrawObject) {
        DirectDrawObject->SetDisplayMode(DisplayModeWidth, DisplayModeHeight, 8);
        RestoreLostSurfaces(&wrongMode);
    }
    const int contentsLost = lost && !AnySurfaceLost();
    if (contentsLost) PutBackDisplayContents();
    ClearSurface(FrontSurface);
    FlipPages();
    return contentsLost;
}

void Display::ClearSurface(int slot) {
    LPDIRECTDRAWSURFACE surface = SurfaceAt(slot);
    if (!surface) return;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof(fx));
    fx.dwSize = sizeof(fx);
    surface->Blt(NULL, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void Display::FlipPages() {
    if (SurfaceTable[FrontSurface]) SurfaceTable[FrontSurface]->Flip(NULL, DDFLIP_WAIT);
}
