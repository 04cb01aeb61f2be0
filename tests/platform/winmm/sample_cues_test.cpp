// The checked-in sample cues: playable by our own parser, short, quiet at their
// ends, and using both sample widths.
#include "platform/posix/winmm/wave_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

std::string SoundsFolder() {
    std::string here = __FILE__;  // tests/platform/winmm/this file
    std::string root = here.substr(0, here.rfind("/tests/platform/winmm/"));
    return root + "/data/sounds/";
}

struct Cue {
    std::vector<uint8_t> file;
    posix::winmm::PcmView view;
};

Cue LoadCue(const std::string& name) {
    Cue cue;
    EXPECT_TRUE(posix::winmm::ReadSoundFile(SoundsFolder() + name, &cue.file)) << name;
    EXPECT_TRUE(posix::winmm::ParseWave(cue.file.data(), cue.file.size(), &cue.view)) << name;
    return cue;
}

// Sample i of the cue on a -1..1 scale.
double SampleAt(const posix::winmm::PcmView& view, size_t i) {
    if (view.format.bitsPerSample == 8) return (view.samples[i] - 128) / 128.0;
    int16_t s = int16_t(view.samples[2 * i] | (view.samples[2 * i + 1] << 8));
    return s / 32768.0;
}

TEST(SampleCues, AreShortMonoWavesThatFadeToSilence) {
    int eightBit = 0, sixteenBit = 0;
    for (const char* name : {"sound_01.wav", "sound_02.wav", "sound_03.wav", "sound_04.wav"}) {
        Cue cue = LoadCue(name);
        const posix::winmm::PcmView& v = cue.view;
        ASSERT_GT(v.FrameCount(), 0u) << name;
        EXPECT_EQ(v.format.channels, 1) << name;
        double seconds = double(v.FrameCount()) / v.format.sampleRate;
        EXPECT_GE(seconds, 0.3) << name;
        EXPECT_LE(seconds, 1.2) << name;
        EXPECT_LT(cue.file.size(), 64u * 1024) << name;
        (v.format.bitsPerSample == 8 ? eightBit : sixteenBit)++;

        double peak = 0;
        for (size_t i = 0; i < v.FrameCount(); ++i) peak = std::max(peak, std::abs(SampleAt(v, i)));
        EXPECT_GT(peak, 0.1) << name << " is audible";
        EXPECT_LT(peak, 0.7) << name << " is soft and never clips";
        // No click: it starts and ends at rest.
        EXPECT_LT(std::abs(SampleAt(v, 0)), 0.01) << name;
        EXPECT_LT(std::abs(SampleAt(v, v.FrameCount() - 1)), 0.01) << name;
    }
    EXPECT_GT(eightBit, 0);
    EXPECT_GT(sixteenBit, 0);
}

}  // namespace
