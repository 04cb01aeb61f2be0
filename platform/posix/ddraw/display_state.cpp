#include "platform/posix/ddraw/display_state.h"

#include "platform/posix/ddraw/palette.h"
#include "platform/posix/ddraw/surface.h"

#include <cstring>

namespace posix::ddraw {

namespace {

PALETTEENTRY ShownEntries[256];  // stable: GDI's device contexts keep a pointer to it

bool ProvideFrame(Frame* out) {
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

void OnActivation(bool active) {
    DisplayState& display = Display();
    display.active = active;
    // Only an exclusive full-screen program gives its video memory up on a switch.
    if (!active && display.exclusiveOwner) MarkAllSurfacesLost();
}

void ConnectToSystem() {
    // Set again on every call: the window module may have been reset since.
    SetActivationListener(OnActivation);
    SetFrameSource(ProvideFrame);
}

}  // namespace posix::ddraw

namespace posix {

const PALETTEENTRY* EffectiveDisplayPalette() { return ddraw::ShownEntries; }

}  // namespace posix
