// The wave parser on well-formed, unusual and broken files. Images live in
// exact-size buffers, so a read past the end shows up under AddressSanitizer.
#include "platform/posix/winmm/wave_data.h"
#include "wave_images.h"

#include <gtest/gtest.h>

using namespace waveimages;
using posix::winmm::ParseWave;
using posix::winmm::PcmView;

namespace {

// Parses from a copy of exactly the image's size.
bool Parse(const Bytes& image, PcmView* view, Bytes* storage) {
    *storage = image;
    return ParseWave(storage->data(), storage->size(), view);
}

struct FormatCase {
    unsigned channels;
    uint32_t rate;
    unsigned bits;
};

class WaveFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WaveFormats, ReadsFormatAndEveryFrame) {
    const FormatCase c = GetParam();
    Bytes storage;
    PcmView view;
    ASSERT_TRUE(Parse(SimpleWave(c.channels, c.rate, c.bits, 101), &view, &storage));
    EXPECT_EQ(view.format.channels, int(c.channels));
    EXPECT_EQ(view.format.sampleRate, int(c.rate));
    EXPECT_EQ(view.format.bitsPerSample, int(c.bits));
    EXPECT_EQ(view.FrameCount(), 101u);
    // The samples are the data chunk's body: right after the 44-byte header.
    EXPECT_EQ(view.samples, storage.data() + 44);
    EXPECT_EQ(view.samples[0], Samples(1)[0]);
}

INSTANTIATE_TEST_SUITE_P(CommonFormats, WaveFormats,
                         ::testing::Values(FormatCase{1, 8000, 8}, FormatCase{1, 11025, 8},
                                           FormatCase{2, 22050, 8}, FormatCase{1, 22050, 16},
                                           FormatCase{2, 44100, 16}, FormatCase{2, 48000, 16},
                                           FormatCase{1, 16000, 16}));

TEST(WaveParser, AcceptsExtensiblePcmAndRejectsOtherSubformats) {
    Bytes storage;
    PcmView view;
    Bytes data = Chunk("data", Samples(40));
    ASSERT_TRUE(Parse(Riff({Chunk("fmt ", ExtensibleFmt(2, 44100, 16, 1)), data}), &view, &storage));
    EXPECT_EQ(view.format.channels, 2);
    EXPECT_EQ(view.format.bitsPerSample, 16);
    EXPECT_EQ(view.FrameCount(), 10u);

    EXPECT_FALSE(Parse(Riff({Chunk("fmt ", ExtensibleFmt(2, 44100, 16, 3)), data}), &view, &storage))
        << "IEEE float subformat";
    EXPECT_FALSE(Parse(Riff({Chunk("fmt ", ExtensibleFmt(2, 44100, 16, 1, 0)), data}), &view, &storage))
        << "extensible with no extension";
    Bytes shortFmt = ExtensibleFmt(2, 44100, 16, 1);
    shortFmt.resize(30);
    EXPECT_FALSE(Parse(Riff({Chunk("fmt ", shortFmt), data}), &view, &storage)) << "cut-off extension";
}

TEST(WaveParser, RejectsFormatsThatCannotBePlayed) {
    Bytes storage;
    PcmView view;
    Bytes data = Chunk("data", Samples(48));
    const Bytes unplayable[] = {
        FmtBody(2, 1, 22050, 4),           // ADPCM
        FmtBody(3, 1, 22050, 32),          // IEEE float
        PcmFmt(1, 22050, 24),              // 24-bit
        PcmFmt(3, 22050, 16),              // three channels
        FmtBody(1, 0, 22050, 16, 2),       // no channels
        PcmFmt(1, 0, 16),                  // no rate
        FmtBody(1, 2, 22050, 16, 3),       // block size does not fit the frame
    };
    for (const Bytes& fmt : unplayable)
        EXPECT_FALSE(Parse(Riff({Chunk("fmt ", fmt), data}), &view, &storage));
    Bytes tooShort = PcmFmt(1, 22050, 16);
    tooShort.resize(14);
    EXPECT_FALSE(Parse(Riff({Chunk("fmt ", tooShort), data}), &view, &storage));
}

TEST(WaveParser, FindsChunksInAnyOrderPastOddSizedOnes) {
    Bytes storage;
    PcmView view;
    Bytes oddInfo = Chunk("LIST", Samples(13));  // padded to 14
    ASSERT_EQ(oddInfo.size(), 8u + 14u);
    Bytes image = Riff({oddInfo, Chunk("data", Samples(30)), Chunk("fact", Samples(4)),
                        Chunk("fmt ", PcmFmt(1, 22050, 16))});
    ASSERT_TRUE(Parse(image, &view, &storage));
    EXPECT_EQ(view.FrameCount(), 15u);
    EXPECT_EQ(view.samples, storage.data() + 12 + 22 + 8);

    // An odd data chunk of 8-bit samples keeps every byte; its pad is not a sample.
    ASSERT_TRUE(Parse(Riff({Chunk("fmt ", PcmFmt(1, 22050, 8)), Chunk("data", Samples(7)), oddInfo}), &view,
                      &storage));
    EXPECT_EQ(view.FrameCount(), 7u);
}

TEST(WaveParser, MissingPaddingMisalignsTheChunksAfterIt) {
    // RIFF requires the pad byte; without it the next header is read one byte
    // off, and the data chunk is not found.
    Bytes unpadded = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 1, 2, 3};
    Bytes image = Riff({Chunk("fmt ", PcmFmt(1, 22050, 8)), unpadded, Chunk("data", Samples(10))});
    Bytes storage;
    PcmView view;
    EXPECT_FALSE(Parse(image, &view, &storage));
}

TEST(WaveParser, TruncatedDataPlaysTheWholeFramesThatAreThere) {
    Bytes image = Riff({Chunk("fmt ", PcmFmt(2, 22050, 16)), Chunk("data", Samples(1000))});
    image.resize(44 + 301);  // the file was cut short in the middle of a frame
    Bytes storage;
    PcmView view;
    ASSERT_TRUE(Parse(image, &view, &storage));
    EXPECT_EQ(view.FrameCount(), 75u);
    EXPECT_EQ(view.sampleBytes, 300u);

    // Cut inside the fmt chunk, or before any data: nothing to play.
    Bytes cutInFmt = image;
    cutInFmt.resize(30);
    EXPECT_FALSE(Parse(cutInFmt, &view, &storage));
    Bytes noData = Riff({Chunk("fmt ", PcmFmt(1, 22050, 8))});
    EXPECT_FALSE(Parse(noData, &view, &storage));
    Bytes noFmt = Riff({Chunk("data", Samples(100))});
    EXPECT_FALSE(Parse(noFmt, &view, &storage));
}

TEST(WaveParser, HugeDeclaredSizesAreBoundedByTheFile) {
    Bytes storage;
    PcmView view;
    // Sizes near 4 GB on a file of a few bytes: what is there plays.
    Bytes image = Riff({Chunk("fmt ", PcmFmt(1, 22050, 8)), Chunk("data", Samples(64), 0xFFFFFFFF)}, 0xFFFFFFFF);
    ASSERT_TRUE(Parse(image, &view, &storage));
    EXPECT_EQ(view.FrameCount(), 64u);

    // A huge chunk before fmt swallows the rest of the file (no wrap-around).
    Bytes swallowing = Riff({Chunk("junk", Samples(4), 0xFFFFFFF0), Chunk("fmt ", PcmFmt(1, 22050, 8)),
                             Chunk("data", Samples(64))});
    EXPECT_FALSE(Parse(swallowing, &view, &storage));
}

TEST(WaveParser, TheRiffSizeEndsTheChunks) {
    // Bytes after the RIFF form are not part of the wave.
    Bytes image = Riff({Chunk("fmt ", PcmFmt(1, 22050, 8)), Chunk("data", Samples(100))}, 4 + 24 + 8 + 40);
    Bytes storage;
    PcmView view;
    ASSERT_TRUE(Parse(image, &view, &storage));
    EXPECT_EQ(view.FrameCount(), 40u);
}

TEST(WaveParser, RejectsWhatIsNotAWave) {
    Bytes storage;
    PcmView view;
    EXPECT_FALSE(Parse(Bytes(), &view, &storage));
    EXPECT_FALSE(ParseWave(nullptr, 0, &view));
    Bytes wave = SimpleWave(1, 22050, 8, 10);
    Bytes bigEndian = wave;
    bigEndian[3] = 'X';  // RIFX
    EXPECT_FALSE(Parse(bigEndian, &view, &storage));
    Bytes avi = wave;
    avi[8] = 'A', avi[9] = 'V', avi[10] = 'I', avi[11] = ' ';
    EXPECT_FALSE(Parse(avi, &view, &storage));
    EXPECT_FALSE(Parse(Bytes(wave.begin(), wave.begin() + 11), &view, &storage));
    const std::string text = "this is a text file, not a sound\n";
    EXPECT_FALSE(Parse(Bytes(text.begin(), text.end()), &view, &storage));
    // A bare header with no chunk at all.
    EXPECT_FALSE(Parse(Bytes(wave.begin(), wave.begin() + 12), &view, &storage));
}

TEST(WaveParser, AnEmptyDataChunkIsAValidSilentWave) {
    Bytes storage;
    PcmView view;
    ASSERT_TRUE(Parse(SimpleWave(1, 22050, 16, 0), &view, &storage));
    EXPECT_EQ(view.FrameCount(), 0u);
}

}  // namespace
