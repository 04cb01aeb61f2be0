// Timed waits on the test clock: measured from the mark, across the tick wrap,
// cut short while Ctrl is held, and always serving the message queue.
#include "platform/posix/test_hooks.h"
#include "shell/pacing.h"

#include <gtest/gtest.h>

namespace {

const UINT ProbeMessage = 0x0400;  // WM_USER
int ProbesSeen = 0;
DWORD ProbeServingMs = 0;  // how long serving the probe takes, on the test clock

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ProbeMessage) {
        ++ProbesSeen;
        testhooks::AdvanceTestClock(ProbeServingMs);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND TheProbeWindow = NULL;

HWND ProbeWindow() { return TheProbeWindow; }

void CreateProbeWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.lpszClassName = "PacingProbe";
    RegisterClassA(&windowClass);
    TheProbeWindow = CreateWindowExA(0, "PacingProbe", "PacingProbe", WS_POPUP, 0, 0, 64, 64,
                                     NULL, NULL, NULL, NULL);
}

class Waits : public ::testing::Test {
protected:
    void SetUp() override {
        CreateProbeWindow();
        PacingEnabled = 1;
        ProbesSeen = 0;
        ProbeServingMs = 0;
    }
    void TearDown() override {
        PacingEnabled = 1;
        testhooks::UseRealClock();
        testhooks::ResetUser();
    }
};

TEST_F(Waits, DeadlineCountsFromTheMarkWithDrawingTimeIncluded) {
    testhooks::UseTestClock(1000, true);
    MarkTime();
    testhooks::AdvanceTestClock(30);  // the drawing between mark and wait
    WaitSinceMark(100);
    EXPECT_EQ(1100u, GetTickCount());
}

TEST_F(Waits, ZeroOrPassedDeadlineReturnsAfterServingTheQueue) {
    testhooks::UseTestClock(5000, false);  // a clock that never moves
    MarkTime();
    PostMessageA(ProbeWindow(), ProbeMessage, 0, 0);
    WaitSinceMark(0);
    EXPECT_EQ(1, ProbesSeen);

    testhooks::AdvanceTestClock(500);
    PostMessageA(ProbeWindow(), ProbeMessage, 0, 0);
    WaitSinceMark(200);
    EXPECT_EQ(2, ProbesSeen);
    EXPECT_EQ(5500u, GetTickCount());
}

TEST_F(Waits, WithoutPacingEveryWaitReturnsAtOnceAndStillServesTheQueue) {
    testhooks::UseTestClock(0, false);
    PacingEnabled = 0;
    MarkTime();
    PostMessageA(ProbeWindow(), ProbeMessage, 0, 0);
    PostMessageA(ProbeWindow(), ProbeMessage, 0, 0);
    WaitSinceMark(60000);
    EXPECT_EQ(2, ProbesSeen);
    EXPECT_EQ(0u, GetTickCount());
}

TEST_F(Waits, WaitsAcrossTheTickWrapLastTheirLength) {
    testhooks::UseTestClock(0xFFFFFFF0u, true);
    MarkTime();
    WaitSinceMark(100);
    EXPECT_EQ(0x54u, GetTickCount());

    EXPECT_FALSE(DeadlineReached(0xFFFFFFFFu, 0xFFFFFFF0u, 100));
    EXPECT_FALSE(DeadlineReached(0x53u, 0xFFFFFFF0u, 100));
    EXPECT_TRUE(DeadlineReached(0x54u, 0xFFFFFFF0u, 100));
}

// The programs rest in 20 ms steps counted from the mark: each wait still ends on
// its millisecond, whatever the drawing takes after the mark or before it, after a
// sound that played for a while, and with a message served in between.
TEST_F(Waits, RestsOfWholeStepsEndEachWaitOnItsMillisecond) {
    testhooks::UseTestClock(1000, true);
    MarkTime();
    testhooks::AdvanceTestClock(3);  // a character drawn after the mark
    WaitSinceMark(100);
    EXPECT_EQ(1100u, GetTickCount());

    testhooks::AdvanceTestClock(7);  // a card drawn before its fade marks
    MarkTime();
    WaitSinceMark(20);
    EXPECT_EQ(1127u, GetTickCount());

    testhooks::AdvanceTestClock(1234);  // a sound played to its end
    MarkTime();
    ProbeServingMs = 9;
    PostMessageA(ProbeWindow(), ProbeMessage, 0, 0);
    WaitSinceMark(2000);
    EXPECT_EQ(1, ProbesSeen);
    EXPECT_EQ(1127u + 1234u + 2000u, GetTickCount());
}

TEST_F(Waits, AMarkIsKeptAcrossWaits) {
    testhooks::UseTestClock(100, true);
    MarkTime();
    WaitSinceMark(50);
    WaitSinceMark(120);  // the older mark still counts
    EXPECT_EQ(220u, GetTickCount());
}

using WaitsDeathTest = Waits;

TEST_F(WaitsDeathTest, QuitMessageEndsTheProcessWithExitCodeOne) {
    EXPECT_EXIT(
        {
            testhooks::UseTestClock(0, true);
            PostQuitMessage(0);
            MarkTime();
            WaitSinceMark(1000);
        },
        ::testing::ExitedWithCode(1), "");
}

}  // namespace
