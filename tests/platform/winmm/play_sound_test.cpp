// sndPlaySoundA on SDL's dummy audio driver, which plays in real time.
#include "platform/posix/test_hooks_sound.h"
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

class PlaySound : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        testhooks::ResetSoundDevice();
    }
    void TearDown() override {
        testhooks::SetSoundPlaybackInstant(false);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        testhooks::ResetSoundDevice();
    }
    ScratchFolder folder_;
};

TEST_F(PlaySound, SynchronousPlayReturnsAfterTheWholeSound) {
    ScratchFolder::Write("sound_01.wav", SimpleWave(1, 22050, 16, 11025));  // 0.5 s
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sndPlaySoundA("sound_01.wav", SND_SYNC), TRUE);
    double elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 480.0) << "returned before the sound had played";

    testhooks::SoundCall call = testhooks::LastSoundCall();
    EXPECT_TRUE(call.fileFound);
    EXPECT_FALSE(call.playedDefault);
    EXPECT_EQ(call.sampleRate, 22050);
    EXPECT_EQ(call.bitsPerSample, 16);
    EXPECT_EQ(call.channels, 1);
    EXPECT_EQ(call.sourceFrames, 11025u);
    // Converted to the device's rate: twice as many frames, give or take the resampler.
    EXPECT_NEAR(double(call.deviceFrames), 22050.0, 64.0);
}

TEST_F(PlaySound, ConvertsEightBitStereoAtAnyRate) {
    const struct { unsigned channels; uint32_t rate; unsigned bits; } cases[] = {
        {2, 11025, 8}, {1, 8000, 8}, {2, 48000, 16}};
    for (const auto& c : cases) {
        ScratchFolder::Write("cue.wav", SimpleWave(c.channels, c.rate, c.bits, c.rate / 10));  // 0.1 s
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(sndPlaySoundA("cue.wav", SND_SYNC), TRUE);
        EXPECT_GE(MillisecondsSince(start), 90.0);
        testhooks::SoundCall call = testhooks::LastSoundCall();
        EXPECT_EQ(call.channels, int(c.channels));
        EXPECT_EQ(call.bitsPerSample, int(c.bits));
        EXPECT_NEAR(double(call.deviceFrames), kDeviceRate / 10.0, 64.0) << c.rate << " Hz";
    }
    EXPECT_EQ(testhooks::SoundDeviceOpenAttempts(), 1) << "the device is opened once";
}

TEST_F(PlaySound, ALongSoundIsFedInPiecesAndPlaysWhole) {
    // 4.5 s: longer than one piece of the feed, so the queue is refilled while it plays.
    ScratchFolder::Write("long.wav", SimpleWave(1, 8000, 8, 36000));
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sndPlaySoundA("long.wav", SND_SYNC), TRUE);
    EXPECT_GE(MillisecondsSince(start), 4480.0);
    EXPECT_NEAR(double(testhooks::LastSoundCall().deviceFrames), 4.5 * kDeviceRate, 128.0);
}

TEST_F(PlaySound, AMissingOrUnplayableFilePlaysTheDefaultSound) {
    const std::string text = "not a wave";
    ScratchFolder::Write("text.wav", Bytes(text.begin(), text.end()));
    for (const char* name : {"sound_99.wav", "text.wav", "sound_A"}) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(sndPlaySoundA(name, SND_SYNC), TRUE) << name;
        double elapsed = MillisecondsSince(start);
        testhooks::SoundCall call = testhooks::LastSoundCall();
        EXPECT_FALSE(call.fileFound) << name;
        EXPECT_TRUE(call.playedDefault) << name;
        ASSERT_GT(call.sourceFrames, 0u);
        double defaultMs = 1000.0 * double(call.sourceFrames) / call.sampleRate;
        EXPECT_GE(elapsed, defaultMs - 20.0) << "the default sound plays synchronously too";
    }
}

TEST_F(PlaySound, NoDefaultMeansFalseAndSilence) {
    ScratchFolder::Write("broken.wav", Riff({Chunk("fmt ", PcmFmt(1, 22050, 24)), Chunk("data", Samples(30))}));
    for (const char* name : {"sound_99.wav", "broken.wav"}) {
        EXPECT_EQ(sndPlaySoundA(name, SND_SYNC | SND_NODEFAULT), FALSE) << name;
        testhooks::SoundCall call = testhooks::LastSoundCall();
        EXPECT_FALSE(call.playedDefault);
        EXPECT_EQ(call.deviceFrames, 0u);
    }
}

TEST_F(PlaySound, TruncatedAndEmptyWavesPlayWhatTheyHold) {
    Bytes cut = SimpleWave(1, 22050, 8, 22050);
    cut.resize(44 + 2205);  // a 1 s sound with only 0.1 s left in the file
    ScratchFolder::Write("cut.wav", cut);
    EXPECT_EQ(sndPlaySoundA("cut.wav", SND_SYNC), TRUE);
    EXPECT_EQ(testhooks::LastSoundCall().sourceFrames, 2205u);
    EXPECT_FALSE(testhooks::LastSoundCall().playedDefault);

    ScratchFolder::Write("empty.wav", SimpleWave(1, 22050, 8, 0));
    EXPECT_EQ(sndPlaySoundA("empty.wav", SND_SYNC), TRUE);
    EXPECT_EQ(testhooks::LastSoundCall().deviceFrames, 0u);
    EXPECT_FALSE(testhooks::LastSoundCall().playedDefault);
}

TEST_F(PlaySound, AsynchronousPlayQueuesAndANullNameStopsIt) {
    ScratchFolder::Write("long.wav", SimpleWave(1, 22050, 8, 22050 * 5));
    EXPECT_EQ(sndPlaySoundA("long.wav", SND_ASYNC), TRUE);
    EXPECT_GT(testhooks::LastSoundCall().deviceFrames, 0u);
    EXPECT_EQ(sndPlaySoundA(nullptr, SND_ASYNC), TRUE);
    // A synchronous sound after it plays from its own start, not after the 5 s.
    ScratchFolder::Write("short.wav", SimpleWave(1, 22050, 8, 2205));
    EXPECT_EQ(sndPlaySoundA("short.wav", SND_SYNC), TRUE);
}

TEST_F(PlaySound, WithoutAnAudioDeviceItFailsOnceAndNeverRetries) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    testhooks::ResetSoundDevice();
    ScratchFolder::Write("sound_01.wav", SimpleWave(1, 22050, 16, 22050 * 3));
    EXPECT_EQ(sndPlaySoundA("sound_01.wav", SND_SYNC), FALSE);
    EXPECT_EQ(testhooks::SoundDeviceOpenAttempts(), 1);
    EXPECT_EQ(sndPlaySoundA("sound_01.wav", SND_SYNC), FALSE);
    EXPECT_EQ(sndPlaySoundA("missing.wav", SND_SYNC), FALSE) << "no default sound either";
    EXPECT_EQ(testhooks::SoundDeviceOpenAttempts(), 1) << "a failed open is remembered";
    EXPECT_EQ(testhooks::SoundCallCount(), 3);
}

TEST_F(PlaySound, InstantPlaybackRecordsTheCallWithoutTheDevice) {
    testhooks::SetSoundPlaybackInstant(true);
    ScratchFolder::Write("sound_02.wav", SimpleWave(2, 11025, 8, 1000));
    EXPECT_EQ(sndPlaySoundA("sound_02.wav", SND_SYNC), TRUE);
    testhooks::SoundCall call = testhooks::LastSoundCall();
    EXPECT_EQ(call.name, "sound_02.wav");
    EXPECT_EQ(call.flags, UINT(SND_SYNC));
    EXPECT_TRUE(call.fileFound);
    EXPECT_EQ(call.sourceFrames, 1000u);
    EXPECT_EQ(call.deviceFrames, 0u);
    EXPECT_EQ(sndPlaySoundA("nothing.wav", SND_NODEFAULT), FALSE);
    EXPECT_EQ(testhooks::SoundDeviceOpenAttempts(), 0);
    EXPECT_EQ(testhooks::SoundCallCount(), 2);
}

}  // namespace
