// Maps a painted image onto table colours with an 8 x 8 ordered dither, so the
// soft gradients of the sky and water do not band.
#ifndef TOOLS_MAKE_KABE0_ORDERED_DITHER_H
#define TOOLS_MAKE_KABE0_ORDERED_DITHER_H

#include "tools/make_kabe0/colour.h"
#include "tools/make_kabe0/night_scene.h"

#include <cstdint>
#include <vector>

// Returns one byte per pixel, top row first: firstIndex + the position in colours.
std::vector<uint8_t> DitherToIndices(const PaintedImage& image, const std::vector<Rgb>& colours,
                                     int firstIndex, float spread);

#endif
