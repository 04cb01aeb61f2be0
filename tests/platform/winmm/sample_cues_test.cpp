// The checked-in sample cues: playable by the sound layer, short, quiet at
// their ends, and using both sample widths.
#include "platform/posix/winmm/sound.h"

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
    posix::winmm::SoundFormat format;
    std::vector<float> samples;
};

Cue LoadCue(const std::string& name) {
    Cue cue;
    EXPECT_TRUE(posix::winmm::ReadSoundFile(SoundsFolder() + name, &cue.file)) << name;
    auto sound = posix::winmm::OpenWave(cue.file);
    if (sound == nullptr) {
        ADD_FAILURE() << name << " does not play";
        return cue;
    }
    cue.format = sound->format;
    float piece[1024];
    for (size_t got; (got = sound->Read(piece, 1024 / sound->format.channels)) > 0;)
        cue.samples.insert(cue.samples.end(), piece, piece + got * sound->format.channels);
    return cue;
}

TEST(SampleCues, AreShortMonoWavesThatFadeToSilence) {
    int eightBit = 0, sixteenBit = 0;
    for (const char* name : {"sound_01.wav", "sound_02.wav", "sound_03.wav", "sound_04.wav"}) {
        Cue cue = LoadCue(name);
        const std::vector<float>& s = cue.samples;
        ASSERT_GT(s.size(), 0u) << name;
        EXPECT_EQ(cue.format.channels, 1) << name;
        double seconds = double(s.size()) / cue.format.sampleRate;
        EXPECT_GE(seconds, 0.3) << name;
        EXPECT_LE(seconds, 1.2) << name;
        EXPECT_LT(cue.file.size(), 64u * 1024) << name;
        // The 34th byte of a plain PCM header holds the bits of a sample.
        (cue.file[34] == 8 ? eightBit : sixteenBit)++;

        double peak = 0;
        for (float sample : s) peak = std::max(peak, double(std::abs(sample)));
        EXPECT_GT(peak, 0.1) << name << " is audible";
        EXPECT_LT(peak, 0.7) << name << " is soft and never clips";
        // No click: it starts and ends at rest.
        EXPECT_LT(std::abs(s.front()), 0.01) << name;
        EXPECT_LT(std::abs(s.back()), 0.01) << name;
    }
    EXPECT_GT(eightBit, 0);
    EXPECT_GT(sixteenBit, 0);
}

}  // namespace
