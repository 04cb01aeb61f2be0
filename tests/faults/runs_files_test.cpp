// Whole runs of the reader with broken bookmark and sound files. The bookmark
// must hold exactly the line to resume from, "0" after the end, or be untouched.
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "reader_run.h"
#include "tests/system/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>

namespace {

using ::testing::ExitedWithCode;

// Twenty lines; a quit on the first line shown stores that line's index.
std::string TwentyLines() { return RepeatedTokens(Sjis("あい。"), 20); }

class BookmarkFaults : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override { WriteFile(Episode.ScriptFileName, TwentyLines()); }

    // The bookmark a key pressed as the story starts leaves, from this content.
    std::string QuitAtOnceFrom(const std::string& content) {
        WriteFile(Episode.BookmarkFileName, content);
        EXPECT_EXIT(RunFromStory([] { testhooks::PushKeyDown(SDLK_SPACE); }),
                    ExitedWithCode(1), "");
        return ReadFile(Episode.BookmarkFileName);
    }
};

TEST_F(BookmarkFaults, AMissingBookmarkEndsAfterTheBackdropWritingNothing) {
    EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
    EXPECT_FALSE(FileExists(Episode.BookmarkFileName));
}

TEST_F(BookmarkFaults, AFolderInTheBookmarksPlaceIsNeitherReadNorReplaced) {
    // Permission bits do not stop root; a folder cannot be opened for writing by anyone.
    ASSERT_EQ(0, mkdir(Episode.BookmarkFileName, 0755));
    EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
    struct stat info;
    ASSERT_EQ(0, stat(Episode.BookmarkFileName, &info));
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(BookmarkFaults, TheResumeLineFromOddContent) {
    EXPECT_EQ("7", QuitAtOnceFrom("12"));
    EXPECT_EQ("0", QuitAtOnceFrom(""));
    EXPECT_EQ("0", QuitAtOnceFrom("-4"));
    EXPECT_EQ("0", QuitAtOnceFrom("-2147483648"));
    EXPECT_EQ("0", QuitAtOnceFrom("2147483647"));
    EXPECT_EQ("0", QuitAtOnceFrom("99999999999999999999999"));
    EXPECT_EQ("7", QuitAtOnceFrom(" \t\r\n 12"));
    EXPECT_EQ("10", QuitAtOnceFrom("15 lines read\nand more"));
    EXPECT_EQ("0", QuitAtOnceFrom(std::string("\0\x01\xff", 3)));
}

TEST_F(BookmarkFaults, ARunToTheEndMarksTheStoryFinished) {
    WriteFile(Episode.BookmarkFileName, "2147483647 trailing");
    EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
    EXPECT_EQ("0", ReadFile(Episode.BookmarkFileName));
}

// A RIFF wave file with the given format fields and data bytes.
std::string Wave(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bits,
                 const std::string& data) {
    auto le = [](uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
        return out;
    };
    const uint16_t blockAlign = channels * ((bits + 7) / 8);
    std::string format = le(formatTag, 2) + le(channels, 2) + le(rate, 4) +
                         le(rate * blockAlign, 4) + le(blockAlign, 2) + le(bits, 2);
    std::string body = "WAVEfmt " + le(16, 4) + format + "data" + le(data.size(), 4) + data;
    return "RIFF" + le(body.size(), 4) + body;
}

class SoundFaults : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override {
        WriteFile(Episode.BookmarkFileName, UntouchedBookmark);
        WriteFile(Episode.ScriptFileName, "s01 " + Sjis("あ") + " s02 " + Sjis("い") + " s03 " +
                                              Sjis("う") + " s04 s05 s06 " + Sjis("え。"));
        const std::string good = Wave(1, 1, 22050, 16, std::string(4410, '\x10'));
        // 01 missing; 02 cut inside its data and again inside its header.
        WriteFile("sound_02.wav", good.substr(0, good.size() / 2));
        WriteFile("sound_03.wav", "not a wave file at all, just text\n");
        WriteFile("sound_04.wav", good.substr(0, 30));
        // Unusual formats: 6 channels of 24 bits at 96 kHz, and a compressed format tag.
        WriteFile("sound_05.wav", Wave(1, 6, 96000, 24, std::string(18 * 100, '\x01')));
        WriteFile("sound_06.wav", Wave(0x11, 1, 8000, 4, std::string(256, '\x77')));
    }
};

TEST_F(SoundFaults, BrokenAndUnusualSoundFilesAreSkippedOrPlayed) {
    EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
    EXPECT_EQ("0", ReadFile(Episode.BookmarkFileName));
}

TEST_F(SoundFaults, NoAudioDeviceAtAll) {
    WriteFile("sound_01.wav", Wave(1, 2, 44100, 16, std::string(17640, '\x02')));
    EXPECT_EXIT(
        {
            testhooks::ResetSound(/*failing=*/true);
            RunFromStory([] {});
        },
        ExitedWithCode(1), "");
    EXPECT_EQ("0", ReadFile(Episode.BookmarkFileName));
}

}  // namespace
