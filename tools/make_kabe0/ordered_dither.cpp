#include "tools/make_kabe0/ordered_dither.h"

#include <cstddef>
#include <limits>

namespace {

// The classic Bayer matrix, thresholds 0..63.
const int kBayer8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},   {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},  {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21}};

size_t NearestColour(const std::vector<Rgb>& colours, float r, float g, float b) {
    size_t best = 0;
    float bestDistance = std::numeric_limits<float>::max();
    for (size_t i = 0; i < colours.size(); ++i) {
        const float dr = r - colours[i].r, dg = g - colours[i].g, db = b - colours[i].b;
        const float distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace

std::vector<uint8_t> DitherToIndices(const PaintedImage& image, const std::vector<Rgb>& colours,
                                     int firstIndex, float spread) {
    std::vector<uint8_t> indices(image.pixels.size());
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float offset = ((kBayer8[y % 8][x % 8] + 0.5f) / 64.0f - 0.5f) * spread;
            const Paint& p = image.at(x, y);
            const size_t nearest = NearestColour(colours, p.r + offset, p.g + offset, p.b + offset);
            indices[static_cast<size_t>(y) * image.width + x] = static_cast<uint8_t>(firstIndex + nearest);
        }
    }
    return indices;
}
