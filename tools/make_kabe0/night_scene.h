// Paints the night scene in free colours: sky, moon, stars, hills, a forest
// edge, a lake that mirrors them, and a meadow in front.
#ifndef TOOLS_MAKE_KABE0_NIGHT_SCENE_H
#define TOOLS_MAKE_KABE0_NIGHT_SCENE_H

#include "tools/make_kabe0/colour.h"

#include <cstddef>
#include <vector>

struct PaintedImage {
    int width = 0;
    int height = 0;
    std::vector<Paint> pixels;  // top row first
    Paint& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Paint& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

PaintedImage PaintNightScene(int width, int height);

#endif
