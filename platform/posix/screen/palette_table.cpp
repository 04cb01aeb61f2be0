#include "platform/posix/screen/palette_table.h"

#include <cstring>

namespace posix::screen {

uint32_t ArgbOf(const PALETTEENTRY& entry) {
    return 0xFF000000u | (static_cast<uint32_t>(entry.peRed) << 16) |
           (static_cast<uint32_t>(entry.peGreen) << 8) | entry.peBlue;
}

PaletteTable::PaletteTable() {
    std::memset(entries_, 0, sizeof entries_);
    for (uint32_t& pixel : argb_) pixel = ArgbOf(PALETTEENTRY{0, 0, 0, 0});
    std::memset(changed_, 0, sizeof changed_);
}

bool PaletteTable::Update(const PALETTEENTRY* entries) {
    PALETTEENTRY incoming[256];
    if (entries != nullptr) {
        std::memcpy(incoming, entries, sizeof incoming);
    } else {
        std::memset(incoming, 0, sizeof incoming);
    }
    if (std::memcmp(incoming, entries_, sizeof incoming) == 0) return false;
    std::memcpy(entries_, incoming, sizeof incoming);
    for (int i = 0; i < 256; ++i) {
        const uint32_t argb = ArgbOf(entries_[i]);
        changed_[i] = argb != argb_[i];
        argb_[i] = argb;
    }
    return true;
}

}  // namespace posix::screen
