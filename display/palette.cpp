// The picture's palette and the brightness fades: an offset added to every colour
// component and sent whole to the display palette; no pixel is ever rewritten.
#include "display/display.h"
#include "shell/pacing.h"

#include <cstring>

Brightness TheBrightness;

PALETTEENTRY MasterPalette[256] = {};
PALETTEENTRY WorkPalette[256] = {};
PALETTEENTRY* LastSentPalette = MasterPalette;  // CreatePalette starts from it

int Display::LoadPaletteFromBitmap(const char* resourceName) {
    HRSRC resource = FindResourceA(NULL, resourceName, RT_BITMAP);
    if (!resource) return 0;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(NULL, resource)));
    if (!data) return 0;
    // The colour table follows the header, whose first field is its own size.
    DWORD headerSize;
    std::memcpy(&headerSize, data, sizeof(headerSize));
    const DWORD resourceSize = SizeofResource(NULL, resource);
    if (resourceSize != 0 && (headerSize > resourceSize || resourceSize - headerSize < 256 * 4))
        return 0;
    const BYTE* table = data + headerSize;
    for (int index = 0; index < 256; ++index) {
        const BYTE* quad = table + 4 * index;  // blue, green, red, reserved
        MasterPalette[index].peRed = quad[2];
        MasterPalette[index].peGreen = quad[1];
        MasterPalette[index].peBlue = quad[0];
        MasterPalette[index].peFlags = 0;
    }
    if (DisplayPalette) DisplayPalette->SetEntries(0, 0, 256, MasterPalette);
    LastSentPalette = MasterPalette;
    return 1;
}

namespace {

BYTE ShiftComponent(BYTE component, int offset) {
    const int shifted = component + offset;
    if (shifted <= 0) return 0;
    if (shifted >= 255) return 255;
    return static_cast<BYTE>(shifted);
}

}  // namespace

void Brightness::SetBrightness(int offset) {
    if (offset == 0) {
        std::memcpy(WorkPalette, MasterPalette, sizeof(WorkPalette));
    } else {
        for (int index = 0; index < 256; ++index) {
            WorkPalette[index].peRed = ShiftComponent(MasterPalette[index].peRed, offset);
            WorkPalette[index].peGreen = ShiftComponent(MasterPalette[index].peGreen, offset);
            WorkPalette[index].peBlue = ShiftComponent(MasterPalette[index].peBlue, offset);
            WorkPalette[index].peFlags = 0;
        }
    }
    WorkPalette[FixedPaletteIndex] = MasterPalette[FixedPaletteIndex];
    if (DisplayPalette) DisplayPalette->SetEntries(0, 0, 256, WorkPalette);
    LastSentPalette = WorkPalette;
}

void Brightness::ResendPalette() {
    if (DisplayPalette) DisplayPalette->SetEntries(0, 0, 256, LastSentPalette);
}

// Each step lasts FadeStepMs from its mark, the palette work included.
void Brightness::FadeUp(int from, int to) {
    for (int level = from; level <= to; level += FadeStep) {
        MarkTime();
        SetBrightness(level);
        WaitSinceMark(FadeStepMs);
    }
    SetBrightness(to);
}

void Brightness::FadeDown(int from, int to) {
    for (int level = from; level >= to; level -= FadeStep) {
        MarkTime();
        SetBrightness(level);
        WaitSinceMark(FadeStepMs);
    }
    SetBrightness(to);
}
