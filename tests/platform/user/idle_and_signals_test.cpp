// The rest of an empty look, measured on the test clock, and the quit signals.
#include "platform/posix/kernel/kernel.h"
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
        testhooks::UseTestClock(5000, true, 20);  // the programs' step
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // settle whatever work came before
        testhooks::SetTestClock(5000);
    }
    static bool Look() {
        MSG msg;
        return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
    }
    // As the reader marks: the wait before it has ended with its own read.
    static DWORD Mark() {
        GetTickCount();
        return GetTickCount();
    }
};

TEST_F(IdleTest, AnEmptyLookRestsToTheNextStepOfTheMark) {
    const DWORD mark = Mark();
    testhooks::AdvanceTestClock(7);  // drawing
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), mark + 7);  // a wait's first look: with Ctrl held the only one
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), mark + 20);
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), mark + 40);  // a read right after a look is the wait's, not a mark

    // The card holds mark after sending the palette: the steps follow the new mark.
    testhooks::AdvanceTestClock(3);
    const DWORD later = GetTickCount();
    Look();
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), later + 20);
}

TEST_F(IdleTest, NoRestRightAfterWork) {
    posix::kernel::NoteWork();
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5000u);  // drawing happened since the last empty look
    EXPECT_FALSE(Look());
    EXPECT_EQ(GetTickCount(), 5020u);  // but only once

    // A fast-forward: one look after each character drawn never rests.
    for (int character = 0; character < 100; ++character) {
        posix::kernel::NoteWork();
        EXPECT_FALSE(Look());
    }
    EXPECT_EQ(GetTickCount(), 5020u);
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
    EXPECT_EQ(GetTickCount(), 5020u);
}

TEST_F(IdleTest, RestsFollowTheMarkAcrossTheTickWrap) {
    testhooks::SetTestClock(0xFFFFFFF5u);
    const DWORD mark = Mark();
    int looks = 0;
    while (GetTickCount() - mark < 100) {
        Look();
        ++looks;
    }
    EXPECT_EQ(GetTickCount(), mark + 100);
    EXPECT_EQ(looks, 6);  // the wait's first look, then one wake-up a step
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
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // work was done: no rest yet
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_FALSE(readable());
    testhooks::UseRealClock();
}

INSTANTIATE_TEST_SUITE_P(TerminateAndInterrupt, QuitSignalTest, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
