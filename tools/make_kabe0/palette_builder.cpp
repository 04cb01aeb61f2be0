#include "tools/make_kabe0/palette_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <tuple>

namespace {

using Sample = std::array<int, 3>;

struct Box {
    std::vector<Sample> samples;
    int widestAxis = 0;
    int range = 0;
};

void Measure(Box* box) {
    box->range = -1;
    for (int axis = 0; axis < 3; ++axis) {
        int lo = 255, hi = 0;
        for (const Sample& s : box->samples) {
            lo = std::min(lo, s[axis]);
            hi = std::max(hi, s[axis]);
        }
        if (hi - lo > box->range) {
            box->range = hi - lo;
            box->widestAxis = axis;
        }
    }
}

int Clamp(float v, int lo, int hi) { return std::clamp(static_cast<int>(std::lround(v)), lo, hi); }

Rgb Mean(const Box& box) {
    double sum[3] = {0, 0, 0};
    for (const Sample& s : box.samples)
        for (int axis = 0; axis < 3; ++axis) sum[axis] += s[axis];
    const double n = static_cast<double>(box.samples.size());
    return {static_cast<uint8_t>(std::lround(sum[0] / n)), static_cast<uint8_t>(std::lround(sum[1] / n)),
            static_cast<uint8_t>(std::lround(sum[2] / n))};
}

// Splits the box with the widest spread (weighted a little by population) at its median.
std::vector<Box> MedianCut(std::vector<Sample> samples, int count) {
    std::vector<Box> boxes(1);
    boxes[0].samples = std::move(samples);
    Measure(&boxes[0]);
    while (static_cast<int>(boxes.size()) < count) {
        auto score = [](const Box& b) { return b.range * std::sqrt(static_cast<double>(b.samples.size())); };
        auto widest = std::max_element(boxes.begin(), boxes.end(),
                                       [&](const Box& a, const Box& b) { return score(a) < score(b); });
        if (widest->range == 0) break;  // every box holds one colour
        const int axis = widest->widestAxis;
        std::vector<Sample>& s = widest->samples;
        std::sort(s.begin(), s.end(), [axis](const Sample& a, const Sample& b) { return a[axis] < b[axis]; });
        size_t middle = s.size() / 2;
        // Keep equal values together so both halves have a real range.
        while (middle > 0 && s[middle][axis] == s[middle - 1][axis]) --middle;
        if (middle == 0) middle = s.size() / 2;
        Box upper;
        upper.samples.assign(s.begin() + static_cast<long>(middle), s.end());
        s.resize(middle);
        Measure(&*widest);
        Measure(&upper);
        boxes.push_back(std::move(upper));
    }
    return boxes;
}

bool Taken(const std::vector<Rgb>& colours, const Rgb& c, const Rgb& reserved) {
    return c == reserved || std::find(colours.begin(), colours.end(), c) != colours.end();
}

// Moves a colour one step at a time to the nearest free value in range.
Rgb NearestFree(const std::vector<Rgb>& colours, Rgb c, const Rgb& reserved, int lo, int hi) {
    for (int step = 1; step <= hi - lo; ++step) {
        for (int axis = 0; axis < 3; ++axis) {
            for (int sign : {1, -1}) {
                int v[3] = {c.r, c.g, c.b};
                v[axis] += sign * step;
                if (v[axis] < lo || v[axis] > hi) continue;
                const Rgb candidate{static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]),
                                    static_cast<uint8_t>(v[2])};
                if (!Taken(colours, candidate, reserved)) return candidate;
            }
        }
    }
    throw std::runtime_error("no free colour left in range");
}

int Luma(const Rgb& c) { return 299 * c.r + 587 * c.g + 114 * c.b; }

}  // namespace

std::vector<Rgb> BuildPalette(const PaintedImage& image, int count, int minComponent, int maxComponent,
                              const Rgb& reserved) {
    std::vector<Sample> samples;
    samples.reserve(image.pixels.size());
    for (const Paint& p : image.pixels)
        samples.push_back({Clamp(p.r, minComponent, maxComponent), Clamp(p.g, minComponent, maxComponent),
                           Clamp(p.b, minComponent, maxComponent)});
    std::vector<Rgb> colours;
    for (const Box& box : MedianCut(std::move(samples), count)) {
        const Rgb mean = Mean(box);
        colours.push_back(Taken(colours, mean, reserved)
                              ? NearestFree(colours, mean, reserved, minComponent, maxComponent)
                              : mean);
    }
    // A nearly flat image gives fewer boxes than colours: fill up with free values.
    while (static_cast<int>(colours.size()) < count)
        colours.push_back(NearestFree(colours, colours.empty() ? reserved : colours.back(), reserved,
                                      minComponent, maxComponent));
    std::sort(colours.begin(), colours.end(), [](const Rgb& a, const Rgb& b) {
        return Luma(a) != Luma(b) ? Luma(a) < Luma(b) : std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
    });
    return colours;
}
