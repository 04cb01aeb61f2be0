// The tests' clock, linked in place of kernel/system_clock.cpp: the monotonic
// clock until a test sets its own.
#include "platform/posix/kernel/clock.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/test_hooks.h"

namespace {

bool TestClockOn = false;
bool AdvanceWhenIdle = false;
DWORD IdleStepMs = 1;
DWORD TestClockNow = 0;

}  // namespace

namespace posix::kernel {

DWORD CurrentTick() { return TestClockOn ? TestClockNow : MonotonicMilliseconds(); }

void RestUntilNextStep(pollfd* wake, int count) {
    if (!TestClockOn) {
        SleepUntilTick(NextRestEnd(MonotonicMilliseconds(), kRestStepMs), wake, count);
        return;
    }
    // The descriptors are looked at as a real rest would, so what it drains it drains here.
    if (AdvanceWhenIdle) {
        TestClockNow = NextRestEnd(TestClockNow, IdleStepMs);  // the rest passes at once
        SleepUntilTick(MonotonicMilliseconds(), wake, count);
    } else {
        // The clock stands still: a real millisecond, so that the test does not spin.
        SleepUntilTick(MonotonicMilliseconds() + 1, wake, count);
    }
}

void LetHostRun() {}

}  // namespace posix::kernel

namespace testhooks {

void UseTestClock(DWORD start, bool advanceWhenIdle, DWORD idleStepMs) {
    TestClockOn = true;
    AdvanceWhenIdle = advanceWhenIdle;
    IdleStepMs = idleStepMs;
    TestClockNow = start;
    posix::kernel::ForgetIdleState();
}

void UseRealClock() {
    TestClockOn = false;
    posix::kernel::ForgetIdleState();
}

void SetTestClock(DWORD now) { TestClockNow = now; }

void AdvanceTestClock(DWORD ms) { TestClockNow += ms; }

void ResetIdle() { posix::kernel::ForgetIdleState(); }

}  // namespace testhooks
