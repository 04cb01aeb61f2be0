// The rest of an empty look, measured on the test clock, and the quit signals.
#include "platform/posix/idle/idle.h"
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>

namespace {

using testwindow::WindowTest;

class IdleTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_NE(testwindow::CreateRecordingWindow(), nullptr);
        testwindow::Pump();
        testhooks::UseTestClock(5000, true);
    }
    static bool Look() {
        MSG msg;
        return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
    }
    // A wait as the reader makes one: look, read the clock, until ms have passed
    // since the mark. Returns the looks it took.
    static int WaitSinceMark(DWORD mark, DWORD ms) {
        int looks = 0;
        do {
            Look();
            ++looks;
        } while (GetTickCount() - mark < ms);
        return looks;
    }
};

TEST_F(IdleTest, AWaitRestsOnceItHasLookedTwiceAndEndsOnItsMillisecond) {
    const DWORD mark = GetTickCount();
    testhooks::AdvanceTestClock(7);  // drawing
    posix::idle::NoteWork();
    for (int look = 0; look < 2; ++look) {
        EXPECT_FALSE(Look());
        EXPECT_EQ(GetTickCount(), mark + 7);  // not yet shown to be waiting: no rest
    }
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), mark + 20);  // then each rest ends on a step of the mark
    EXPECT_EQ(WaitSinceMark(mark, 100), 4);
    EXPECT_EQ(GetTickCount(), mark + 100);

    // Across the wrap of the tick, and with the mark read right after the last wait.
    testhooks::SetTestClock(0xFFFFFFF5u);
    const DWORD wrapped = GetTickCount();
    EXPECT_EQ(WaitSinceMark(wrapped, 100), 7);  // two looks, then one a step
    EXPECT_EQ(GetTickCount(), wrapped + 100);
}

// With Ctrl held every wait is one look. Nothing is drawn between the wait of a
// character and that of the page pause that a wrapped row brings, nor between a
// card's last fade step and its hold: still no rest.
TEST_F(IdleTest, FastForwardNeverRests) {
    for (int character = 0; character < 100; ++character) {
        GetTickCount();              // the character's mark
        posix::idle::NoteWork();     // drawn
        EXPECT_FALSE(Look());        // its wait
        if (character % 10 == 0) {
            GetTickCount();          // the page pause's mark
            EXPECT_FALSE(Look());    // and its wait
        }
    }
    EXPECT_EQ(GetTickCount(), 5000u);
}

// A message may change what the program does next (Ctrl let go: the waits are
// paced again, timed from a mark read while fast-forwarding): no rest right after
// it, and rests of a millisecond until the program marks the time again.
TEST_F(IdleTest, AfterAMessageTheMarkIsReadAgain) {
    const DWORD mark = GetTickCount();
    PostMessageA(nullptr, 0x0401, 0, 0);
    EXPECT_TRUE(Look());
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    testhooks::AdvanceTestClock(3);
    EXPECT_EQ(WaitSinceMark(mark - 40, 60), 2 + 17);  // the older mark is not trusted
    EXPECT_EQ(GetTickCount(), mark + 20);
    testhooks::AdvanceTestClock(5);
    const DWORD next = GetTickCount();
    EXPECT_EQ(GetTickCount(), next);  // a read right after a read is a mark
    EXPECT_EQ(WaitSinceMark(next, 40), 4);
}

class QuitSignalTest : public WindowTest,
                       public ::testing::WithParamInterface<int> {};

TEST_P(QuitSignalTest, ASignalPostsWmQuitAndIsServedAgainNextTime) {
    ASSERT_NE(testwindow::CreateRecordingWindow(), nullptr);  // creation installs the handlers
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(raise(GetParam()), 0);  // the process lives on: the handler took it
        MSG msg{};
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
        EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// A signal that came while the program was busy leaves the pipe readable; the next
// rest wakes on it and drains it, or every later rest would end at once.
TEST_F(WindowTest, AQuitSignalsWakeUpIsDrainedByTheRest) {
    ASSERT_NE(testwindow::CreateRecordingWindow(), nullptr);
    testhooks::UseTestClock(0, false);
    const auto readable = [] {
        pollfd pipe{posix::user::QuitSignalDescriptor(), POLLIN, 0};
        return poll(&pipe, 1, 0) == 1;
    };
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(readable());
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    for (int look = 1; look < posix::idle::kLooksBeforeRest; ++look) {
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // no rest yet
    }
    EXPECT_TRUE(readable());
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_FALSE(readable());
    testhooks::UseRealClock();
}

INSTANTIATE_TEST_SUITE_P(TerminateAndInterrupt, QuitSignalTest, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
