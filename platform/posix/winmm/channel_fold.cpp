#include "platform/posix/winmm/channel_fold.h"

#include <sndfile.h>

#include <algorithm>
#include <iterator>

namespace posix::winmm {
namespace {

const float kMinus3dB = 0.70710678f;

const int kDefaultOrder[] = {SF_CHANNEL_MAP_LEFT,      SF_CHANNEL_MAP_RIGHT,
                             SF_CHANNEL_MAP_CENTER,    SF_CHANNEL_MAP_LFE,
                             SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT,
                             SF_CHANNEL_MAP_FRONT_LEFT_OF_CENTER,
                             SF_CHANNEL_MAP_FRONT_RIGHT_OF_CENTER};

StereoGains GainsOf(int position) {
    switch (position) {
        case SF_CHANNEL_MAP_LEFT:
        case SF_CHANNEL_MAP_FRONT_LEFT:
        case SF_CHANNEL_MAP_FRONT_LEFT_OF_CENTER:
            return {1, 0};
        case SF_CHANNEL_MAP_RIGHT:
        case SF_CHANNEL_MAP_FRONT_RIGHT:
        case SF_CHANNEL_MAP_FRONT_RIGHT_OF_CENTER:
            return {0, 1};
        case SF_CHANNEL_MAP_MONO:
        case SF_CHANNEL_MAP_CENTER:
        case SF_CHANNEL_MAP_FRONT_CENTER:
        case SF_CHANNEL_MAP_REAR_CENTER:
        case SF_CHANNEL_MAP_TOP_CENTER:
        case SF_CHANNEL_MAP_TOP_FRONT_CENTER:
        case SF_CHANNEL_MAP_TOP_REAR_CENTER:
            return {kMinus3dB, kMinus3dB};
        case SF_CHANNEL_MAP_REAR_LEFT:
        case SF_CHANNEL_MAP_SIDE_LEFT:
        case SF_CHANNEL_MAP_TOP_FRONT_LEFT:
        case SF_CHANNEL_MAP_TOP_REAR_LEFT:
            return {kMinus3dB, 0};
        case SF_CHANNEL_MAP_REAR_RIGHT:
        case SF_CHANNEL_MAP_SIDE_RIGHT:
        case SF_CHANNEL_MAP_TOP_FRONT_RIGHT:
        case SF_CHANNEL_MAP_TOP_REAR_RIGHT:
            return {0, kMinus3dB};
        default:  // the low-frequency channel, and channels with no position
            return {0, 0};
    }
}

}  // namespace

std::vector<StereoGains> FoldDownGains(int channels, const int* positions) {
    std::vector<StereoGains> gains(size_t(std::max(channels, 0)));
    float left = 0, right = 0;
    for (int c = 0; c < channels; ++c) {
        const int defaultPosition = c < int(std::size(kDefaultOrder)) ? kDefaultOrder[c] : 0;
        gains[size_t(c)] = GainsOf(positions != nullptr ? positions[c] : defaultPosition);
        left += gains[size_t(c)].left;
        right += gains[size_t(c)].right;
    }
    for (StereoGains& g : gains) {
        if (left > 1) g.left /= left;
        if (right > 1) g.right /= right;
    }
    return gains;
}

void FoldDown(const std::vector<StereoGains>& gains, const float* in, size_t frames, float* out) {
    const size_t channels = gains.size();
    for (size_t f = 0; f < frames; ++f, in += channels) {
        float left = 0, right = 0;
        for (size_t c = 0; c < channels; ++c) {
            left += gains[c].left * in[c];
            right += gains[c].right * in[c];
        }
        out[2 * f] = left;
        out[2 * f + 1] = right;
    }
}

}  // namespace posix::winmm
