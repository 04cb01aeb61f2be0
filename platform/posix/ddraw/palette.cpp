#include "platform/posix/ddraw/palette.h"

#include "platform/posix/ddraw/com_object.h"
#include "platform/posix/ddraw/display_state.h"
#include "platform/posix/ddraw/surface.h"
#include "platform/posix/idle/idle.h"
#include "platform/posix/screen/screen.h"

#include <cstring>

namespace posix::ddraw {

namespace {

constexpr DWORD kEntryCount = 256;

bool RangeFits(DWORD start, DWORD count) {
    return start < kEntryCount && count <= kEntryCount - start;
}

}  // namespace

Palette::Palette(DirectDraw* owner, DWORD caps, const PALETTEENTRY* colours)
    : owner_(owner), allow256_((caps & DDPCAPS_ALLOW256) != 0) {
    std::memset(entries_, 0, sizeof(entries_));
    Store(0, kEntryCount, colours);
    Display().palettes.push_back(this);
}

Palette::~Palette() { Forget(Display().palettes, this); }

HRESULT Palette::GetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) {
    if (flags != 0 || !entries || !RangeFits(base, count)) return DDERR_INVALIDPARAMS;
    std::memcpy(entries, entries_ + base, count * sizeof(PALETTEENTRY));
    return DD_OK;
}

HRESULT Palette::SetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) {
    idle::NoteWork();
    if (flags != 0 || !entries || !RangeFits(start, count)) return DDERR_INVALIDPARAMS;
    Store(start, count, entries);
    if (IsShown()) {
        RefreshShownPalette();
        screen::PresentNow();  // a palette change shows on the whole screen at once
    }
    return DD_OK;
}

void Palette::Store(DWORD start, DWORD count, const PALETTEENTRY* colours) {
    std::memcpy(entries_ + start, colours, count * sizeof(PALETTEENTRY));
    if (allow256_) return;
    entries_[0] = PALETTEENTRY{0, 0, 0, 0};
    entries_[255] = PALETTEENTRY{255, 255, 255, 0};
}

bool Palette::IsShown() const {
    const Surface* primary = Display().primary;
    return primary && primary->AttachedPalette() == this;
}

}  // namespace posix::ddraw
