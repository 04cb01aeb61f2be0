// The tests' clock, linked in place of linux/system_clock.cpp: the monotonic
// clock until a test sets its own.
#include "platform/posix/idle/idle.h"
#include "platform/posix/kernel/clock.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/test_hooks.h"

namespace {

bool TestClockOn = false;
bool AdvanceWhenIdle = false;
DWORD TestClockNow = 0;

}  // namespace

namespace posix::kernel {

DWORD CurrentTick() { return TestClockOn ? TestClockNow : MonotonicMilliseconds(); }

// The descriptors are looked at as a real sleep would, so what it drains it drains here.
void SleepUntil(DWORD tick, pollfd* wake, int count) {
    if (!TestClockOn) {
        SleepUntilTick(tick, wake, count);
    } else if (AdvanceWhenIdle) {
        if (tick - TestClockNow < 0x80000000u) TestClockNow = tick;  // the sleep passes at once
        SleepUntilTick(MonotonicMilliseconds(), wake, count);
    } else {
        // The clock stands still: a real millisecond, so that the test does not spin.
        SleepUntilTick(MonotonicMilliseconds() + 1, wake, count);
    }
}

void LetHostRun() {}

}  // namespace posix::kernel

namespace testhooks {

void UseTestClock(DWORD start, bool advanceWhenIdle) {
    TestClockOn = true;
    AdvanceWhenIdle = advanceWhenIdle;
    TestClockNow = start;
    posix::idle::Forget();
}

void UseRealClock() {
    TestClockOn = false;
    posix::idle::Forget();
}

void SetTestClock(DWORD now) { TestClockNow = now; }

void AdvanceTestClock(DWORD ms) { TestClockNow += ms; }

void ResetIdle() { posix::idle::Forget(); }

}  // namespace testhooks
