#include "platform/posix/ddraw/display_state.h"

#include "platform/posix/ddraw/palette.h"
#include "platform/posix/ddraw/surface.h"
#include "platform/posix/screen/screen.h"

#include <cstring>

namespace posix::ddraw {

namespace {

PALETTEENTRY ShownEntries[256];  // stable: GDI's device contexts keep a pointer to it

bool ProvideFrame(screen::Frame* out) {
    Surface* primary = Display().primary;
    if (!primary || !out) return false;
    out->pixels = primary->Pixels();
    out->palette = ShownEntries;
    return true;
}

}  // namespace

DisplayState& Display() {
    static DisplayState state;
    return state;
}

void RefreshShownPalette() {
    const Surface* primary = Display().primary;
    const Palette* palette = primary ? primary->AttachedPalette() : nullptr;
    if (palette) {
        std::memcpy(ShownEntries, palette->Entries(), sizeof(ShownEntries));
    } else {
        std::memset(ShownEntries, 0, sizeof(ShownEntries));
    }
}

void MarkAllSurfacesLost() {
    for (Surface* surface : Display().surfaces) surface->MarkLost();
}

const PALETTEENTRY* ShownPalette() { return ShownEntries; }

// Set again on every call: the screen may have been reset since.
void ConnectToScreen() { screen::SetFrameSource(ProvideFrame); }

}  // namespace posix::ddraw
