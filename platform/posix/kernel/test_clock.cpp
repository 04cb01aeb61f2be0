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
    if (AdvanceWhenIdle) {
        TestClockNow = NextRestEnd(TestClockNow, IdleStepMs);  // the rest passes at once
    } else {
        SleepUntilNextMillisecond();  // the clock stands still: a real millisecond, not a spin
    }
}

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
