// Whole runs of the reader with no display, and with close requests and Alt+F4.
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "reader_run.h"
#include "tests/system/test_support.h"

#include <gtest/gtest.h>


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
            testhooks::FailNextDirectDrawCreate();
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

}  // namespace
