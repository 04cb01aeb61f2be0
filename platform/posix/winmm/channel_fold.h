// Folding a wave file's 3 to 8 channels down to the stereo pair the sound is
// played as, by the speaker position of each channel.
#ifndef PLATFORM_POSIX_WINMM_CHANNEL_FOLD_H
#define PLATFORM_POSIX_WINMM_CHANNEL_FOLD_H

#include <cstddef>
#include <vector>

namespace posix::winmm {

struct StereoGains {
    float left = 0;
    float right = 0;
};

// The gains of each channel into the left and right outputs. positions holds
// libsndfile's SF_CHANNEL_MAP_* of each channel, as the file's channel mask
// gives them; null when the file has none, and the channels then stand in the
// default order of WAVE_FORMAT_EXTENSIBLE's mask (front left, front right,
// front centre, low frequency, back left, back right, front left and right of
// centre). Front speakers go to their own side whole; centre ones to both and
// rear, side and top ones to their side at -3 dB; the low-frequency channel
// and channels with no position are left out. Each output's gains add up to at
// most 1, so that channels that carry the same sound never clip.
std::vector<StereoGains> FoldDownGains(int channels, const int* positions);

// Folds frames frames of `channels` interleaved samples in `in` to stereo in out.
void FoldDown(const std::vector<StereoGains>& gains, const float* in, size_t frames, float* out);

}  // namespace posix::winmm

#endif
