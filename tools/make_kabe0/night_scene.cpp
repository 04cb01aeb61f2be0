#include "tools/make_kabe0/night_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The scene is laid out on a 640 x 480 canvas and scaled to the requested size.
constexpr float kCanvasWidth = 640, kCanvasHeight = 480;
constexpr float kMoonX = 472, kMoonY = 104, kMoonRadius = 25;
constexpr float kShoreY = 332;  // where the far hills meet the lake

const Paint kZenith{99, 101, 127};
const Paint kMidSky{108, 111, 141};
const Paint kHorizon{134, 131, 156};
const Paint kMoonLight{165, 164, 147};
const Paint kMoonShade{154, 153, 139};
const Paint kGlow{30, 29, 22};
const Paint kFarHill{113, 117, 141};
const Paint kFarHillFoot{106, 111, 132};
const Paint kForest{100, 108, 110};
const Paint kForestLit{108, 117, 118};
const Paint kForestShore{103, 107, 118};
const Paint kMeadowTop{109, 121, 112};
const Paint kMeadowFront{100, 107, 103};

float Smooth(float edge0, float edge1, float v) {
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// A small integer hash: the same stars and trees on every run.
uint32_t Hash(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

float Unit(uint32_t seed) { return static_cast<float>(Hash(seed) & 0xffffff) / 16777216.0f; }

Paint SkyAt(float x, float y) {
    const float t = std::clamp(y / kShoreY, 0.0f, 1.0f);
    Paint sky = t < 0.6f ? Mix(kZenith, kMidSky, t / 0.6f) : Mix(kMidSky, kHorizon, (t - 0.6f) / 0.4f);
    const float d = std::hypot(x - kMoonX, y - kMoonY) - kMoonRadius;
    if (d > 0) sky = Add(sky, kGlow, 0.75f * std::exp(-d / 38) + 0.35f * std::exp(-d / 150));
    return sky;
}

float FarRidgeY(float x) {
    return 290 + 13 * std::sin(x * 0.0105f + 1.3f) + 7 * std::sin(x * 0.027f + 0.4f) +
           2.5f * std::sin(x * 0.071f + 2.0f);
}

Paint FarHillAt(float x, float y) {
    const float depth = Smooth(FarRidgeY(x), kShoreY, y);
    return Mix(kFarHill, kFarHillFoot, depth);
}

// The near hill on the left, rising out of the lake, with conifers along its crest.
float NearRidgeY(float x) { return 266 + 0.0011f * x * x + 6 * std::sin(x * 0.021f); }

float TreeTopAbove(float x) {
    float top = 0;  // how far above the ridge the tallest tree at x reaches
    for (int i = 0; i < 15; ++i) {
        const float centre = 6 + i * 16.5f + 6 * Unit(100 + i);
        const float height = (30 + 28 * Unit(200 + i)) * (1 - i / 17.0f);
        const float halfWidth = height * 0.26f;
        const float reach = height * (1 - std::fabs(x - centre) / halfWidth);
        top = std::max(top, reach);
    }
    return top;
}

bool InForest(float x, float y) {
    return y >= NearRidgeY(x) - TreeTopAbove(x);
}

Paint ForestAt(float x, float y) {
    // Moonlight from the right catches the crest a little.
    const float lit = Smooth(24, 0, y - (NearRidgeY(x) - TreeTopAbove(x))) * Smooth(0, 330, x);
    const float nearWater = Smooth(kShoreY - 40, kShoreY + 60, y);
    return Mix(Mix(kForest, kForestLit, lit * 0.8f), kForestShore, nearWater);
}

float MeadowY(float x) { return 420 + 11 * std::sin(x * 0.009f + 2.0f) + 5 * std::sin(x * 0.031f); }

Paint MeadowAt(float x, float y) {
    const float depth = Smooth(MeadowY(x), kCanvasHeight, y);
    Paint grass = Mix(kMeadowTop, kMeadowFront, depth);
    const float blade = std::sin(x * 0.9f + std::sin(y * 0.13f) * 3) * std::sin(y * 0.5f);
    return Add(grass, Paint{1, 1.5f, 1}, blade);
}

Paint LakeAt(float x, float y) {
    const float below = y - kShoreY;
    const float mirroredY = kShoreY - below;
    Paint mirrored = SkyAt(x, mirroredY);
    if (mirroredY > FarRidgeY(x)) mirrored = FarHillAt(x, mirroredY);
    Paint water = Mix(mirrored, Paint{101, 105, 126}, 0.35f + 0.004f * below);
    // The moon's path on the water: broken streaks that widen towards the viewer.
    const float width = 10 + below * 0.28f;
    const float across = (x - kMoonX) / width;
    const float ripple = 0.5f + 0.5f * std::sin(y * 0.85f + 2.5f * std::sin(x * 0.045f + y * 0.1f));
    const float path = std::exp(-across * across) * ripple * (1 - Smooth(0, 110, below) * 0.5f);
    return Add(water, Paint{44, 43, 32}, path);
}

Paint MoonAt(float x, float y, const Paint& behind) {
    const float d = std::hypot(x - kMoonX, y - kMoonY);
    const float cover = Smooth(kMoonRadius + 0.8f, kMoonRadius - 0.8f, d);
    if (cover <= 0) return behind;
    // Soft grey seas on the disc.
    float sea = 0.0f;
    const float seas[3][3] = {{-7, -5, 11}, {8, 4, 9}, {-1, 12, 7}};
    for (const auto& s : seas)
        sea = std::max(sea, Smooth(s[2], 0, std::hypot(x - kMoonX - s[0], y - kMoonY - s[1])));
    return Mix(behind, Mix(kMoonLight, kMoonShade, sea * 0.45f), cover);
}

Paint StarsOver(float x, float y, const Paint& sky) {
    // Stars sit on a coarse grid, one chance per cell, fewer near the horizon and the moon.
    constexpr int kCell = 23;
    const int cx = static_cast<int>(x) / kCell, cy = static_cast<int>(y) / kCell;
    const uint32_t seed = static_cast<uint32_t>(cy * 131 + cx);
    if (Unit(seed) > 0.55f) return sky;
    const float sx = cx * kCell + 2 + Unit(seed + 7777) * (kCell - 4);
    const float sy = cy * kCell + 2 + Unit(seed + 9999) * (kCell - 4);
    if (std::hypot(sx - kMoonX, sy - kMoonY) < 85 || sy > 250) return sky;
    const float brightness = (18 + 40 * Unit(seed + 31) * Unit(seed + 53)) * (1 - sy / 300);
    const float d = std::hypot(x - sx, y - sy);
    const float spot = std::exp(-d * d / 0.7f);
    return Add(sky, Paint{1, 1, 1.05f}, brightness * spot);
}

Paint ScenePoint(float x, float y) {
    if (y >= MeadowY(x)) return MeadowAt(x, y);
    if (InForest(x, y)) return ForestAt(x, y);
    if (y >= kShoreY) return LakeAt(x, y);
    if (y >= FarRidgeY(x)) return FarHillAt(x, y);
    return MoonAt(x, y, StarsOver(x, y, SkyAt(x, y)));
}

}  // namespace

PaintedImage PaintNightScene(int width, int height) {
    PaintedImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float cx = (x + 0.5f) * kCanvasWidth / width;
            const float cy = (y + 0.5f) * kCanvasHeight / height;
            image.at(x, y) = ScenePoint(cx, cy);
        }
    }
    return image;
}
