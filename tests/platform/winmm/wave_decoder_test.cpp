// Wave files as sndPlaySoundA decodes them: every encoding of Windows' standard
// codecs, written here by libsndfile (MPEG layer 3 wrapped by hand), read back
// as the sound that was written; channels past two folded down by position;
// what Windows does not play refused with the reason.
#include "platform/posix/winmm/channel_fold.h"
#include "platform/posix/winmm/sound.h"
#include "wave_images.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>

using namespace waveimages;
using posix::winmm::OpenWave;

namespace {

// seconds of a 440 Hz tone at half scale, channel c at gain 1 - 0.1 c.
std::vector<float> Tone(int channels, int rate, double seconds) {
    std::vector<float> frames;
    for (int i = 0; i < int(rate * seconds); ++i)
        for (int c = 0; c < channels; ++c)
            frames.push_back(float((1 - 0.1 * c) * 0.5 * std::sin(6.283185307 * 440.0 * i / rate)));
    return frames;
}

// The file libsndfile writes of frames; empty when it cannot write that format.
Bytes Encode(int format, int channels, int rate, const std::vector<float>& frames,
             const std::vector<int>& positions = {}) {
    char path[] = "/tmp/wave_decoder_test_XXXXXX";
    const int fd = mkstemp(path);
    SF_INFO info{rate, rate, channels, format, 0, 0};
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    Bytes bytes;
    if (file != nullptr) {
        if (!positions.empty())
            sf_command(file, SFC_SET_CHANNEL_MAP_INFO, const_cast<int*>(positions.data()), int(positions.size() * sizeof(int)));
        sf_writef_float(file, frames.data(), sf_count_t(frames.size()) / channels);
        sf_close(file);
        FILE* in = std::fopen(path, "rb");
        for (int byte; (byte = std::fgetc(in)) != EOF;) bytes.push_back(uint8_t(byte));
        std::fclose(in);
    }
    std::remove(path);
    return bytes;
}

// An MPEG layer 3 stream in a RIFF/WAVE file (WAVE_FORMAT_MPEGLAYER3), as
// encoders for Windows write it.
Bytes Mp3InWave(int rate, const std::vector<float>& frames) {
    const Bytes stream = Encode(SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 1, rate, frames);
    Bytes fmt = FmtBody(0x55, 1, uint32_t(rate), 0, 1);
    for (unsigned field : {12u, 1u, 2u}) PutU16(&fmt, field);  // cbSize, wID, fdwFlags low
    for (unsigned field : {0u, 417u, 1u, 1393u}) PutU16(&fmt, field);
    return Riff({Chunk("fmt ", fmt), Chunk("data", stream)});
}

std::vector<float> ReadAll(posix::winmm::Sound& sound) {
    std::vector<float> all, piece(1000 * size_t(sound.format.channels));
    for (size_t got; (got = sound.Read(piece.data(), 1000)) > 0;)
        all.insert(all.end(), piece.begin(), piece.begin() + long(got) * sound.format.channels);
    return all;
}

// The best correlation of b with a delayed by up to latest samples.
double Correlation(const std::vector<float>& a, const std::vector<float>& b, size_t latest) {
    double best = -1;
    for (size_t lag = 0, i; lag <= latest && lag < a.size(); ++lag) {
        double ab = 0, aa = 0, bb = 0;
        for (i = 0; i + lag < a.size() && i < b.size(); ++i)
            ab += a[i + lag] * b[i], aa += a[i + lag] * a[i + lag], bb += b[i] * b[i];
        best = std::max(best, ab / std::sqrt(aa * bb));
    }
    return best;
}

struct Encoding {
    const char* name;
    int format, channels, rate;
    double correlation;  // at least, with what was written
};

class WindowsEncodings : public ::testing::TestWithParam<Encoding> {};

TEST_P(WindowsEncodings, DecodeToTheSoundThatWasWritten) {
    const Encoding& e = GetParam();
    const std::vector<float> written = Tone(e.channels, e.rate, 0.3);
    const Bytes file = e.format == SF_FORMAT_MPEG_LAYER_III ? Mp3InWave(e.rate, written)
                                                             : Encode(e.format, e.channels, e.rate, written);
    ASSERT_FALSE(file.empty());
    std::string why;
    auto sound = OpenWave(file, &why);
    ASSERT_NE(sound, nullptr) << why;
    EXPECT_EQ(sound->format.channels, e.channels);
    EXPECT_EQ(sound->format.sampleRate, e.rate);
    const std::vector<float> heard = ReadAll(*sound);
    // Block codecs end on a whole block.
    EXPECT_GE(heard.size(), written.size() * 99 / 100);
    EXPECT_LE(heard.size(), written.size() + 2048u * e.channels);
    // MPEG layer 3 starts after its decoder's delay, the others at once.
    const size_t latest = e.format == SF_FORMAT_MPEG_LAYER_III ? 2500 : 0;
    EXPECT_GE(Correlation(heard, written, latest), e.correlation) << Correlation(heard, written, latest);
}

INSTANTIATE_TEST_SUITE_P(
    Wave, WindowsEncodings,
    ::testing::Values(Encoding{"u8", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 11025, 0.999},
                      Encoding{"s16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000, 0.9999},
                      Encoding{"s24", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 48000, 0.9999},
                      Encoding{"s32", SF_FORMAT_WAVEX | SF_FORMAT_PCM_32, 2, 22050, 0.9999},
                      Encoding{"float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 44100, 0.9999},
                      Encoding{"float_ex", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 2, 48000, 0.9999},
                      Encoding{"alaw", SF_FORMAT_WAV | SF_FORMAT_ALAW, 1, 8000, 0.999},
                      Encoding{"ulaw_ex", SF_FORMAT_WAVEX | SF_FORMAT_ULAW, 2, 8000, 0.999},
                      Encoding{"ima", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 1, 22050, 0.99},
                      Encoding{"msadpcm", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, 2, 22050, 0.99},
                      Encoding{"gsm", SF_FORMAT_WAV | SF_FORMAT_GSM610, 1, 8000, 0.9},
                      Encoding{"mp3", SF_FORMAT_MPEG_LAYER_III, 1, 44100, 0.9}),
    [](const ::testing::TestParamInfo<Encoding>& info) { return std::string(info.param.name); });

TEST(WaveChannels, MoreThanTwoFoldDownBySpeakerPosition) {
    // One steady level a channel: front left and right, centre, low frequency, back left and right.
    const float level[6] = {0.4f, -0.2f, 0.3f, 0.9f, 0.1f, 0.5f};
    std::vector<float> frames;
    for (int i = 0; i < 100; ++i) frames.insert(frames.end(), level, level + 6);
    const std::vector<int> positions = {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER,
                                        SF_CHANNEL_MAP_LFE, SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT};
    auto sound = OpenWave(Encode(SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 6, 48000, frames, positions));
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->format.channels, 2);
    const std::vector<float> stereo = ReadAll(*sound);
    ASSERT_EQ(stereo.size(), 200u);
    const float side = 1 + 2 * 0.70710678f;  // each side's gains, scaled to add up to 1
    EXPECT_NEAR(stereo[0], (0.4f + 0.70710678f * (0.3f + 0.1f)) / side, 1e-5) << "low frequency left out";
    EXPECT_NEAR(stereo[1], (-0.2f + 0.70710678f * (0.3f + 0.5f)) / side, 1e-5);

    // Without a channel mask the channels stand in the mask's default order.
    const std::vector<posix::winmm::StereoGains> gains = posix::winmm::FoldDownGains(3, nullptr);
    EXPECT_FLOAT_EQ(gains[0].left, gains[2].left / 0.70710678f);
    EXPECT_FLOAT_EQ(gains[1].right, gains[0].left);
    EXPECT_EQ(gains[1].left, 0.0f);
}

TEST(WaveRefusals, SayWhyTheSoundWillNotPlay) {
    const std::vector<float> tone = Tone(1, 8000, 0.1);
    const struct { Bytes file; const char* why; } cases[] = {
        {Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e', '.', '.', '.'}, "not a RIFF/WAVE file"},
        {Encode(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 8000, tone), "not a RIFF/WAVE file"},
        {Encode(SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1, 8000, tone), "encoding, 64 bit float, is not one that Windows plays"},
        {Encode(SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 9, 8000, Tone(9, 8000, 0.1)), "it has 9 channels, not 1 to 8"},
        {Encode(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 500, tone), "rate of 500 frames a second"},
        {Riff({Chunk("fmt ", FmtBody(0x1234, 1, 8000, 16)), Chunk("data", Samples(100))}), "broken wave file"},
        {Riff({Chunk("fmt ", PcmFmt(1, 8000, 16))}), "broken wave file"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(OpenWave(c.file, &why), nullptr) << c.why;
        EXPECT_NE(why.find(c.why), std::string::npos) << why << "\n  does not say: " << c.why;
    }
}

TEST(WaveFiles, CutShortOrEmptyPlayWhatTheyHold) {
    Bytes cut = SimpleWave(1, 22050, 16, 22050);
    cut.resize(44 + 2 * 2205 + 1);  // a 1 s sound cut after 0.1 s, in the middle of a frame
    auto sound = OpenWave(cut);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(ReadAll(*sound).size(), 2205u);
    auto empty = OpenWave(SimpleWave(2, 22050, 16, 0));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(ReadAll(*empty).empty());
}

}  // namespace
