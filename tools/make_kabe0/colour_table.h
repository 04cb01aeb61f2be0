// The 256-entry colour table of the picture: 0 to 97 the picture's own colours,
// then the fixed entries that text, the closing card and the colour key rely on.
#ifndef TOOLS_MAKE_KABE0_COLOUR_TABLE_H
#define TOOLS_MAKE_KABE0_COLOUR_TABLE_H

#include "tools/make_kabe0/colour.h"

#include <array>
#include <vector>

constexpr int kTableSize = 256;
constexpr int kFirstPixelIndex = 1;     // index 0 shows black on screen: no pixel uses it
constexpr int kPixelColourCount = 97;   // indices 1 to 97
constexpr int kMinComponent = 99;       // every picture colour lies in 99..165
constexpr int kMaxComponent = 165;
constexpr Rgb kIndexZeroColour{99, 107, 115};

using ColourTable = std::array<Rgb, kTableSize>;

// pixelColours holds the colours of indices 1 to 97, in order.
ColourTable MakeColourTable(const std::vector<Rgb>& pixelColours);

#endif
