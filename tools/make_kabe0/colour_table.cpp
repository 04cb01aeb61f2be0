#include "tools/make_kabe0/colour_table.h"

#include <stdexcept>

ColourTable MakeColourTable(const std::vector<Rgb>& pixelColours) {
    if (pixelColours.size() != static_cast<size_t>(kPixelColourCount))
        throw std::invalid_argument("the picture needs exactly 97 colours");
    const Rgb white{255, 255, 255};
    ColourTable table;
    table.fill(white);  // 98 to 223, 226 to 239 and 241 to 255
    table[0] = kIndexZeroColour;
    for (int i = 0; i < kPixelColourCount; ++i) table[kFirstPixelIndex + i] = pixelColours[i];
    table[224] = {255, 255, 0};    // yellow text
    table[225] = {43, 179, 255};   // the closing card's fill
    table[240] = {1, 1, 1};        // the colour key of the text layer
    return table;
}
