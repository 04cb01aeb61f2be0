// sndPlaySoundA: which sound it finds for a name and how it hands it on, seen at
// the recorded audio output.
#include "platform/posix/winmm/test_hooks.h"
#include "platform/win32.h"
#include "scratch_folder.h"
#include "wave_images.h"

#include <gtest/gtest.h>

using namespace waveimages;

namespace {

class PlaySound : public ::testing::Test {
protected:
    void SetUp() override { testhooks::ResetSound(); }
    void TearDown() override { testhooks::ResetSound(); }
    static testhooks::PlayedSound Last() { return testhooks::LastPlayedSound(); }
    ScratchFolder folder_;
};

TEST_F(PlaySound, AFileIsPlayedInItsOwnFormatToTheEnd) {
    ScratchFolder::Write("sound_01.wav", SimpleWave(1, 22050, 16, 11025));
    EXPECT_EQ(sndPlaySoundA("sound_01.wav", SND_SYNC), TRUE);
    ASSERT_EQ(testhooks::PlayedSoundCount(), 1);
    EXPECT_TRUE(Last().synchronous);
    EXPECT_FALSE(Last().defaultSound);
    EXPECT_EQ(Last().sampleRate, 22050);
    EXPECT_EQ(Last().channels, 1);
    EXPECT_EQ(Last().frames, 11025u);
}

TEST_F(PlaySound, AMissingOrUnplayableFilePlaysTheDefaultSound) {
    const std::string text = "not a wave";
    ScratchFolder::Write("text.wav", Bytes(text.begin(), text.end()));
    for (const char* name : {"sound_99.wav", "text.wav", "sound_A"}) {
        EXPECT_EQ(sndPlaySoundA(name, SND_SYNC), TRUE) << name;
        EXPECT_TRUE(Last().defaultSound) << name;
        EXPECT_TRUE(Last().synchronous) << "the default sound plays synchronously too";
        EXPECT_GT(Last().frames, 0u);
    }
}

TEST_F(PlaySound, NoDefaultMeansFalseAndSilence) {
    ScratchFolder::Write("broken.wav", Riff({Chunk("fmt ", FmtBody(0x1234, 1, 22050, 16)), Chunk("data", Samples(30))}));
    for (const char* name : {"sound_99.wav", "broken.wav"})
        EXPECT_EQ(sndPlaySoundA(name, SND_SYNC | SND_NODEFAULT), FALSE) << name;
    EXPECT_EQ(testhooks::PlayedSoundCount(), 0);
}

TEST_F(PlaySound, TruncatedAndEmptyWavesPlayWhatTheyHold) {
    Bytes cut = SimpleWave(1, 22050, 8, 22050);
    cut.resize(44 + 2205);  // a 1 s sound with only 0.1 s left in the file
    ScratchFolder::Write("cut.wav", cut);
    EXPECT_EQ(sndPlaySoundA("cut.wav", SND_SYNC), TRUE);
    EXPECT_EQ(Last().frames, 2205u);
    EXPECT_FALSE(Last().defaultSound);

    ScratchFolder::Write("empty.wav", SimpleWave(1, 22050, 8, 0));
    EXPECT_EQ(sndPlaySoundA("empty.wav", SND_SYNC), TRUE);
    EXPECT_EQ(Last().frames, 0u);
    EXPECT_FALSE(Last().defaultSound);
}

TEST_F(PlaySound, AsynchronousPlayStartsTheSoundAndANullNameSucceeds) {
    ScratchFolder::Write("long.wav", SimpleWave(2, 11025, 8, 11025 * 5));
    EXPECT_EQ(sndPlaySoundA("long.wav", SND_ASYNC), TRUE);
    EXPECT_FALSE(Last().synchronous);
    EXPECT_EQ(sndPlaySoundA(nullptr, SND_ASYNC), TRUE);
    EXPECT_EQ(testhooks::PlayedSoundCount(), 1) << "a null name plays nothing";
}

TEST_F(PlaySound, WithoutAnAudioDeviceEverySoundFails) {
    testhooks::ResetSound(/*failing=*/true);
    ScratchFolder::Write("sound_01.wav", SimpleWave(1, 22050, 16, 2205));
    EXPECT_EQ(sndPlaySoundA("sound_01.wav", SND_SYNC), FALSE);
    EXPECT_EQ(sndPlaySoundA("missing.wav", SND_SYNC), FALSE) << "no default sound either";
}

}  // namespace
