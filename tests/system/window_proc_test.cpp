// The window procedure: what each message does, given directly and as real input.
#include "display/display.h"
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "story/bookmark.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class WindowProcedure : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override {
        ASSERT_TRUE(StartReaderDisplay());
        Bookmark = -1;
        PacingEnabled = 1;
        WriteFile(Episode.BookmarkFileName, "42");
    }
    void TearDown() override {
        Bookmark = -1;
        PacingEnabled = 1;
        StopReaderDisplay();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return MainWindowProc(MainWindow, message, wParam, lParam);
    }
};

TEST_F(WindowProcedure, CtrlHeldTurnsPacingOffUntilItIsReleasedOrTheFocusGoes) {
    EXPECT_EQ(1, Send(WM_KEYDOWN, VK_CONTROL));
    EXPECT_EQ(0, PacingEnabled);
    EXPECT_EQ(1, Send(WM_KEYDOWN, VK_CONTROL, 1 << 30));  // auto-repeat
    EXPECT_EQ(0, PacingEnabled);
    EXPECT_EQ(1, Send(WM_KEYUP, VK_CONTROL));
    EXPECT_EQ(1, PacingEnabled);
    EXPECT_EQ(1, Send(WM_KEYUP, 'A'));  // other releases do nothing
    EXPECT_EQ(1, PacingEnabled);
    // The key-up of a Ctrl held while the focus goes away reaches another program.
    Send(WM_KEYDOWN, VK_CONTROL);
    EXPECT_EQ(1, Send(WM_ACTIVATEAPP, FALSE));
    EXPECT_EQ(1, PacingEnabled);
}

TEST_F(WindowProcedure, MouseMovesAreIgnoredBeforeTheStory) {
    EXPECT_EQ(1, Send(WM_MOUSEMOVE, 0, 0x00100010));
    EXPECT_EQ("42", ReadFile(Episode.BookmarkFileName));
}

TEST_F(WindowProcedure, TheHiddenPageKeepsTheLineAsAKeyWouldAndGoesOn) {
    EXPECT_EQ(1, Send(WM_APP));
    EXPECT_EQ("42", ReadFile(Episode.BookmarkFileName));
    Bookmark = 8;
    EXPECT_EQ(1, Send(WM_APP));
    EXPECT_EQ("8", ReadFile(Episode.BookmarkFileName));
}

TEST_F(WindowProcedure, CloseIsRefusedAndTheCursorHidden) {
    EXPECT_EQ(1, Send(WM_CLOSE));
    EXPECT_EQ(1, Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(MainWindow), HTCLIENT));
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    EXPECT_EQ("42", ReadFile(Episode.BookmarkFileName));
}

TEST_F(WindowProcedure, EveryActivationAfterTheFirstRestoresTheSurfaces) {
    ActivationSeen = 0;
    FillSlot(FrontSurface, 7);
    FillSlot(BackSurface, 5);
    EXPECT_EQ(1, Send(WM_ACTIVATEAPP, 1));
    EXPECT_EQ(7, PixelAt(FrontSurface, 0, 0));  // the first one does nothing
    EXPECT_EQ(1, Send(WM_ACTIVATEAPP, 0));
    EXPECT_EQ(5, PixelAt(FrontSurface, 0, 0));  // cleared and flipped
    EXPECT_EQ(1, Send(WM_ACTIVATEAPP, 1));
    EXPECT_EQ(0, PixelAt(FrontSurface, 0, 0));
}

TEST_F(WindowProcedure, RealInputThroughTheQueue) {
    testhooks::PushKeyDown(SDLK_LCTRL);
    WaitSinceMark(0);
    EXPECT_EQ(0, PacingEnabled);
    testhooks::PushKeyUp(SDLK_LCTRL);
    WaitSinceMark(0);
    EXPECT_EQ(1, PacingEnabled);

    // Alt+F4, F10 and Alt with a letter are system keys: the window stays, nothing quits.
    Bookmark = 3;
    testhooks::PushKeyDown(SDLK_F4, KMOD_LALT);
    testhooks::PushKeyDown(SDLK_F10);
    testhooks::PushKeyDown(SDLK_x, KMOD_LALT);
    testhooks::PushCloseRequest();
    testhooks::PushMouseButton(SDL_BUTTON_LEFT, true, 5, 5);
    testhooks::PushMouseButton(SDL_BUTTON_MIDDLE, true, 5, 5);
    WaitSinceMark(0);
    EXPECT_EQ("42", ReadFile(Episode.BookmarkFileName));
    EXPECT_EQ(1, PacingEnabled);
}

using WindowProcedureDeathTest = WindowProcedure;

TEST_F(WindowProcedureDeathTest, AKeyBeforeTheStoryQuitsWithoutTouchingTheBookmark) {
    EXPECT_EXIT(Send(WM_KEYDOWN, VK_SPACE), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("42", ReadFile(Episode.BookmarkFileName));
}

TEST_F(WindowProcedureDeathTest, AKeyOrAMouseMoveDuringTheStoryStoresTheLine) {
    Bookmark = 7;
    EXPECT_EXIT(Send(WM_KEYDOWN, VK_ESCAPE), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("7", ReadFile(Episode.BookmarkFileName));
    Bookmark = 3;
    EXPECT_EXIT(Send(WM_MOUSEMOVE, 0, 0x00200020), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("3", ReadFile(Episode.BookmarkFileName));
}

TEST_F(WindowProcedureDeathTest, TheRightButtonQuitsWithoutStoring) {
    Bookmark = 9;
    EXPECT_EXIT(Send(WM_RBUTTONDOWN), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("42", ReadFile(Episode.BookmarkFileName));
}

TEST_F(WindowProcedureDeathTest, RealKeysAndMovesQuitFromInsideAWait) {
    Bookmark = 11;
    EXPECT_EXIT(
        {
            testhooks::PushMouseMotion(100, 100);
            testhooks::PushMouseMotion(100, 100);
            WaitSinceMark(0);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("11", ReadFile(Episode.BookmarkFileName));
    Bookmark = 12;
    EXPECT_EXIT(
        {
            testhooks::PushKeyDown(SDLK_a);
            WaitSinceMark(0);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ("12", ReadFile(Episode.BookmarkFileName));
}

}  // namespace
