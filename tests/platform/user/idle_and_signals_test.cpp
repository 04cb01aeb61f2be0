// The rest of an empty look, measured on the test clock, and the quit signals.
#include "platform/posix/kernel/kernel.h"
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using testwindow::WindowTest;

class IdleTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_NE(testwindow::CreateRecordingWindow(), nullptr);
        testwindow::Pump();
        testhooks::UseTestClock(5000, true);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // settle whatever work came before
        testhooks::SetTestClock(5000);
    }
    static bool Look() {
        MSG msg;
        return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
    }
};

TEST_F(IdleTest, AnEmptyLookRestsOneMillisecond) {
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5001u);
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5002u);
}

TEST_F(IdleTest, NoRestRightAfterWork) {
    posix::kernel::NoteWork();
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5000u);  // drawing happened since the last empty look
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5001u);  // but only once

    // A fast-forward: one look after each character drawn never rests.
    for (int character = 0; character < 100; ++character) {
        posix::kernel::NoteWork();
        EXPECT_FALSE(Look());
    }
    EXPECT_EQ(GetTickCount(), 5001u);
}

TEST_F(IdleTest, NoRestAfterServingAMessageOrWhileOneWaits) {
    PostMessageA(nullptr, 0x0401, 0, 0);
    EXPECT_TRUE(Look());
    EXPECT_TRUE(Look());
    EXPECT_EQ(GetTickCount(), 5000u);
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_FALSE(Look());              // the message served counts as work
    EXPECT_EQ(GetTickCount(), 5000u);
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5001u);
}

TEST_F(IdleTest, AWaitOnTheClockEndsAtItsDeadline) {
    // The reader's wait: look at the queue until the clock reaches the deadline.
    const DWORD mark = GetTickCount();
    int looks = 0;
    while (GetTickCount() - mark < 100) {
        Look();
        ++looks;
    }
    EXPECT_EQ(GetTickCount(), mark + 100);
    EXPECT_EQ(looks, 100);
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

INSTANTIATE_TEST_SUITE_P(TerminateAndInterrupt, QuitSignalTest, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
