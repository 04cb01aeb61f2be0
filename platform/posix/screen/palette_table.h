// The shown palette as 256 ARGB pixels, converted again only when it changes.
#ifndef PLATFORM_POSIX_SCREEN_PALETTE_TABLE_H
#define PLATFORM_POSIX_SCREEN_PALETTE_TABLE_H

#include "platform/win32.h"

#include <cstdint>

namespace posix::screen {

class PaletteTable {
public:
    PaletteTable();
    // Takes the 256 entries (null: all black); true when the table changed.
    bool Update(const PALETTEENTRY* entries);
    const uint32_t* Argb() const { return argb_; }
    // After an Update that changed the table: 1 for each entry that changed colour.
    const uint8_t* ChangedEntries() const { return changed_; }

private:
    PALETTEENTRY entries_[256];
    uint32_t argb_[256];
    uint8_t changed_[256];
};

// Opaque ARGB8888 of one palette entry; the flags byte is not a colour.
uint32_t ArgbOf(const PALETTEENTRY& entry);

}  // namespace posix::screen

#endif
