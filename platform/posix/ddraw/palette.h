// A 256-entry DirectDraw palette. Without DDPCAPS_ALLOW256, entries 0 and 255
// are the system's black and white whatever is sent, as on Windows.
#ifndef PLATFORM_POSIX_DDRAW_PALETTE_H
#define PLATFORM_POSIX_DDRAW_PALETTE_H

#include "platform/posix/ddraw/com_object.h"
#include "platform/win32.h"

namespace posix::ddraw {

class DirectDraw;

class Palette final : public ComObject<Palette, IDirectDrawPalette> {
public:
    Palette(DirectDraw* owner, DWORD caps, const PALETTEENTRY* colours);
    ~Palette();
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;

    HRESULT STDMETHODCALLTYPE GetEntries(DWORD flags, DWORD base, DWORD count,
                                         LPPALETTEENTRY entries) override;
    HRESULT STDMETHODCALLTYPE SetEntries(DWORD flags, DWORD start, DWORD count,
                                         LPPALETTEENTRY entries) override;

    DirectDraw* Owner() const { return owner_; }
    const PALETTEENTRY* Entries() const { return entries_; }

private:
    void Store(DWORD start, DWORD count, const PALETTEENTRY* colours);
    bool IsShown() const;

    DirectDraw* owner_;
    bool allow256_;
    PALETTEENTRY entries_[256];
};

}  // namespace posix::ddraw

#endif
