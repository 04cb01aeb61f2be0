// Writes an 8-bit bottom-up BMP: file header, 40-byte info header, 256 colours, pixels.
#ifndef TOOLS_MAKE_KABE0_BMP_FILE_H
#define TOOLS_MAKE_KABE0_BMP_FILE_H

#include "tools/make_kabe0/colour_table.h"

#include <cstdint>
#include <vector>

// indices: width x height bytes, top row first; width must be a multiple of 4
// (rows are stored unpadded).
std::vector<uint8_t> EncodeBmp(int width, int height, const ColourTable& table,
                               const std::vector<uint8_t>& indices);

#endif
