// The SDL audio device behind sndPlaySoundA, on SDL's dummy driver, which plays
// in real time.
#include "platform/posix/winmm/audio_output.h"
#include "platform/win32.h"
#include "scratch_folder.h"
#include "wave_images.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

using namespace waveimages;

namespace {

const int kDeviceRate = 44100;  // the rate the device is opened at

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Lives to the end of the statement that plays it.
std::unique_ptr<posix::winmm::Sound> SoundOf(const Bytes& wave) { return posix::winmm::OpenWave(wave); }

class SdlAudioOutput : public ::testing::Test {
protected:
    void SetUp() override { Use("dummy"); }
    void TearDown() override { Use("dummy"); }
    static void Use(const char* driver) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        posix::winmm::CloseAudioDevice();
    }
};

TEST_F(SdlAudioOutput, SynchronousPlayReturnsAfterTheWholeSoundAtTheDeviceRate) {
    const struct { unsigned channels; uint32_t rate; unsigned bits; uint32_t frames; } cases[] = {
        {1, 22050, 16, 11025}, {2, 11025, 8, 1102}, {1, 8000, 8, 800}, {2, 48000, 16, 4800}};
    for (const auto& c : cases) {
        const Bytes wave = SimpleWave(c.channels, c.rate, c.bits, c.frames);
        const double seconds = double(c.frames) / c.rate;
        size_t deviceFrames = 0;
        auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(posix::winmm::PlayToEnd(*SoundOf(wave), &deviceFrames));
        EXPECT_GE(MillisecondsSince(start), seconds * 1000 - 20) << c.rate << " Hz: returned early";
        // Converted to the device's rate, give or take the resampler.
        EXPECT_NEAR(double(deviceFrames), seconds * kDeviceRate, 64.0) << c.rate << " Hz";
    }
}

TEST_F(SdlAudioOutput, ALongSoundIsFedInPiecesAndPlaysWhole) {
    // 4.5 s: longer than one piece of the feed, so the queue is refilled while it plays.
    const Bytes wave = SimpleWave(1, 8000, 8, 36000);
    size_t deviceFrames = 0;
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(posix::winmm::PlayToEnd(*SoundOf(wave), &deviceFrames));
    EXPECT_GE(MillisecondsSince(start), 4480.0);
    EXPECT_NEAR(double(deviceFrames), 4.5 * kDeviceRate, 128.0);
}

TEST_F(SdlAudioOutput, AStartedSoundIsCutOffByTheNext) {
    const Bytes longWave = SimpleWave(1, 22050, 8, 22050 * 5);
    const Bytes shortWave = SimpleWave(1, 22050, 8, 2205);
    size_t frames = 0;
    EXPECT_TRUE(posix::winmm::StartSound(*SoundOf(longWave), &frames));
    EXPECT_GT(frames, 0u);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(posix::winmm::PlayToEnd(*SoundOf(shortWave), &frames));
    EXPECT_LT(MillisecondsSince(start), 2000.0) << "played after the 5 s, not in its place";
}

TEST_F(SdlAudioOutput, AFailedOpenIsRememberedUntilTheDeviceIsClosed) {
    Use("no_such_driver");
    const Bytes wave = SimpleWave(1, 22050, 16, 22050 * 3);
    size_t frames = 0;
    EXPECT_FALSE(posix::winmm::PlayToEnd(*SoundOf(wave), &frames));
    setenv("SDL_AUDIODRIVER", "dummy", 1);  // a device could be had now
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(posix::winmm::PlayToEnd(*SoundOf(wave), &frames)) << "opened again";
    EXPECT_LT(MillisecondsSince(start), 500.0);
}

}  // namespace
