// Chooses the picture's colours: a median cut of the painted image, kept inside
// the allowed component range and distinct from each other and from index 0.
#ifndef TOOLS_MAKE_KABE0_PALETTE_BUILDER_H
#define TOOLS_MAKE_KABE0_PALETTE_BUILDER_H

#include "tools/make_kabe0/colour.h"
#include "tools/make_kabe0/night_scene.h"

#include <vector>

// count colours, each component in [minComponent, maxComponent], none equal to
// another or to reserved; darkest first.
std::vector<Rgb> BuildPalette(const PaintedImage& image, int count, int minComponent, int maxComponent,
                              const Rgb& reserved);

#endif
