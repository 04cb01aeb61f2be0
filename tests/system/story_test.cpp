// The story from the bookmark to the closing cards, and the title cards, on the
// test clock. The story ends the process, so each run is a death test whose child
// leaves its findings in files.
#include "display/display.h"
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "story/bookmark.h"
#include "story/cards.h"
#include "story/line_presenter.h"
#include "story/script.h"
#include "story/story_driver.h"
#include "test_support.h"
#include "tests/platform/winmm/wave_images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DWORD StartTick = 0;

// Runs at exit in the child: how many cues were played, which was last (its
// frame count names it) and how long it all took.
void RecordFindings() {
    FILE* file = std::fopen("findings.txt", "w");
    std::fprintf(file, "%d %zu %u", testhooks::PlayedSoundCount(),
                 testhooks::LastPlayedSound().frames, GetTickCount() - StartTick);
    std::fclose(file);
}

class Story : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override {
        ASSERT_TRUE(StartReaderDisplay());
        testhooks::UseTestClock(1000, true);
        testhooks::ResetSound();
        StartTick = GetTickCount();
        Bookmark = -1;
        PacingEnabled = 1;
        TextCursor = {TextMargin, TextMargin};
    }
    void TearDown() override {
        testhooks::UseRealClock();
        FreeScript();
        StopReaderDisplay();
    }
    // Sound cue lines s10, s11, ...: the cue of line sNN is NN frames long.
    static std::vector<std::string> CueLines(int count) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            const std::string number = std::to_string(10 + i);
            const waveimages::Bytes wave = waveimages::SimpleWave(1, 22050, 8, 10 + i);
            WriteFile("sound_" + number + ".wav", std::string(wave.begin(), wave.end()));
            lines.push_back("s" + number);
        }
        return lines;
    }
};

TEST_F(Story, RunsFromFiveLinesBeforeTheBookmarkToTheEndAndStoresZero) {
    SetScript(CueLines(20));
    WriteFile(Episode.BookmarkFileName, "12");
    EXPECT_EXIT(
        {
            std::atexit(RecordFindings);
            RunStory();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("0", ReadFile(Episode.BookmarkFileName));
    // Lines 7 to 19, each once; then the 2000 ms pause, the fade and the two cards.
    const DWORD closing = 2000 + 640 + (640 + 5000 + 640) + (640 + 3000 + 640);
    EXPECT_EQ("13 29 " + std::to_string(closing), ReadFile("findings.txt"));
}

TEST_F(Story, AKeyDuringTheClosingStoresTheLineCount) {
    SetScript({"s01", "s02", ""});
    WriteFile(Episode.BookmarkFileName, "0");
    EXPECT_EXIT(
        {
            PostMessageA(MainWindow, WM_KEYDOWN, 'A', 0);  // served at the first wait: the pause
            RunStory();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("3", ReadFile(Episode.BookmarkFileName));
}

TEST_F(Story, AKeyDuringALineStoresThatLine) {
    std::vector<std::string> lines(20, Sjis("あい"));
    SetScript(lines);
    WriteFile(Episode.BookmarkFileName, "15");
    EXPECT_EXIT(
        {
            PostMessageA(MainWindow, WM_KEYDOWN, 'A', 0);
            RunStory();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("10", ReadFile(Episode.BookmarkFileName));
}

TEST_F(Story, WithCtrlHeldTheWholeStoryPassesAtOnce) {
    SetScript(CueLines(3));
    WriteFile(Episode.BookmarkFileName, "0");
    EXPECT_EXIT(
        {
            std::atexit(RecordFindings);
            PacingEnabled = 0;
            RunStory();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("0", ReadFile(Episode.BookmarkFileName));
    EXPECT_EQ("3 12 0", ReadFile("findings.txt"));
}

TEST_F(Story, AMissingBookmarkEndsBeforeTheFirstLineWritingNothing) {
    SetScript(CueLines(3));
    EXPECT_EXIT(
        {
            std::atexit(RecordFindings);
            RunStory();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_FALSE(FileExists(Episode.BookmarkFileName));
    EXPECT_EQ("0 0 0", ReadFile("findings.txt"));
}

TEST_F(Story, TitleCardsTakeTheirTimeAndLeaveTheSecondCardDark) {
    ShowTitleCards();
    EXPECT_EQ(2000u + 2 * (640 + 2000 + 640), GetTickCount() - StartTick);
    for (int index = 0; index < 256; ++index) {
        if (index == FixedPaletteIndex) continue;
        EXPECT_EQ(0, WorkPalette[index].peRed + WorkPalette[index].peGreen +
                         WorkPalette[index].peBlue);
    }
    // Three white lines, centred, with their black shadow, on the index-0 background.
    const Box text = BoxOfIndex(FrontSurface, 98);
    EXPECT_GE(text.top, 150);
    EXPECT_LT(text.bottom, 270 + 40);
    EXPECT_NEAR(320, (text.left + text.right) / 2, 6);
    EXPECT_GT(CountIndex(FrontSurface, 0), 640 * 400);

    RevealBackdrop();
    EXPECT_EQ(0, std::memcmp(WorkPalette, MasterPalette, sizeof(WorkPalette)));
    EXPECT_EQ(PixelAt(BackdropSurface, 100, 100), PixelAt(FrontSurface, 100, 100));
    EXPECT_EQ(PixelAt(BackdropSurface, 600, 400), PixelAt(FrontSurface, 600, 400));
}

TEST_F(Story, AKeyDuringTheTitleCardsLeavesTheBookmarkAlone) {
    WriteFile(Episode.BookmarkFileName, "33");
    EXPECT_EXIT(
        {
            PostMessageA(MainWindow, WM_KEYDOWN, VK_RETURN, 0);
            ShowTitleCards();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("33", ReadFile(Episode.BookmarkFileName));
}

}  // namespace
