// Colours of the picture generator: exact table entries and painted colours.
#ifndef TOOLS_MAKE_KABE0_COLOUR_H
#define TOOLS_MAKE_KABE0_COLOUR_H

#include <cstdint>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// A painted colour before it is matched to the table.
struct Paint {
    float r = 0, g = 0, b = 0;
};

inline Paint Mix(const Paint& a, const Paint& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Paint Add(const Paint& a, const Paint& b, float scale) {
    return {a.r + b.r * scale, a.g + b.g * scale, a.b + b.b * scale};
}

#endif
