// COLORREF to palette index, as GDI does on an 8-bit device.
#ifndef PLATFORM_POSIX_GDI_COLOUR_MATCH_H
#define PLATFORM_POSIX_GDI_COLOUR_MATCH_H

#include "platform/win32.h"

#include <cstdint>

namespace posix::gdi {

// The entry nearest to colour by squared RGB distance; the first one on a tie.
uint8_t NearestIndex(const PALETTEENTRY* palette, int count, COLORREF colour);

// NearestIndex with a small cache of recent answers, dropped whenever the
// palette's entries differ from those the answers were found in.
uint8_t MatchColour(const PALETTEENTRY* palette, int count, COLORREF colour);

}  // namespace posix::gdi

#endif
