// Whole runs of the reader with no display, close requests and Alt+F4, input
// storms and a terminate signal.
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "reader_run.h"
#include "story/cards.h"
#include "tests/system/test_support.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using ::testing::ExitedWithCode;

class DisplayAndInputFaults : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override {
        WriteFile(Episode.ScriptFileName, RepeatedTokens(Sjis("あい。"), 30));
        WriteFile(Episode.BookmarkFileName, UntouchedBookmark);
    }
    std::string BookmarkAfter(const std::function<void()>& before) {
        EXPECT_EXIT(RunFromStory(before), ExitedWithCode(1), "");
        return ReadFile(Episode.BookmarkFileName);
    }
};

TEST_F(DisplayAndInputFaults, NoDisplayEndsAtOnceTouchingNothing) {
    EXPECT_EXIT(
        {
            testhooks::ResetWindowAndScreen();
            testhooks::ResetVideo();
            setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
            RunWholeProgram();
        },
        ExitedWithCode(1), "");
    EXPECT_EQ(UntouchedBookmark, ReadFile(Episode.BookmarkFileName));
}

TEST_F(DisplayAndInputFaults, CloseRequestsAndAltF4AreRefused) {
    EXPECT_EQ("0", BookmarkAfter([] {
        for (int i = 0; i < 50; ++i) {
            testhooks::PushCloseRequest();
            testhooks::PushKeyDown(SDLK_F4, KMOD_LALT);
            testhooks::PushKeyUp(SDLK_F4, KMOD_LALT);
        }
    }));
}

// Thousands of events queued at once: before the story the moves are ignored and
// Ctrl only changes the pace; once it runs, the first move or key stores the line.
TEST_F(DisplayAndInputFaults, InputStormsBeforeTheStoryAreServedAndIgnored) {
    EXPECT_EQ("0", BookmarkAfter([] {
        for (int i = 0; i < 4000; ++i) testhooks::PushMouseMotion(i % 640, (i * 7) % 480);
        for (int i = 0; i < 1000; ++i) {
            testhooks::PushKeyDown(SDLK_LCTRL, KMOD_NONE, i % 2 == 1);
            testhooks::PushKeyUp(SDLK_LCTRL);
        }
        // Served by the title cards' waits, before the bookmark is read.
        ShowTitleCards();
    }));
}

TEST_F(DisplayAndInputFaults, InputStormsDuringTheStoryStoreTheFirstLine) {
    // The bookmark file says 12: the story resumes at line 7, where the storm ends it.
    EXPECT_EQ("7", BookmarkAfter([] {
        for (int i = 0; i < 3000; ++i) testhooks::PushKeyDown(SDLK_LCTRL, KMOD_NONE, true);
        for (int i = 0; i < 3000; ++i) testhooks::PushMouseMotion(1 + i % 600, 1 + i % 400);
    }));
    WriteFile(Episode.BookmarkFileName, UntouchedBookmark);
    EXPECT_EQ("7", BookmarkAfter([] {
        for (int i = 0; i < 5000; ++i) testhooks::PushKeyDown(SDLK_a, KMOD_NONE, i > 0);
    }));
}

// A terminate signal is a posted WM_QUIT: the next wait ends the process with
// exit code 1 and the bookmark file is left alone.
TEST_F(DisplayAndInputFaults, ATerminateSignalEndsTheRunLeavingTheBookmark) {
    EXPECT_EQ(UntouchedBookmark, BookmarkAfter([] { std::raise(SIGTERM); }));
}

}  // namespace
