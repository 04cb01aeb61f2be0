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

DWORD WINAPI GetTickCount(void) {
    return TestClockOn ? TestClockNow : posix::kernel::MonotonicMilliseconds();
}

namespace posix::kernel {

void RestUntilNextTick() {
    if (TestClockOn && AdvanceWhenIdle) {
        TestClockNow += IdleStepMs;  // the rest passes at once, on the clock
        return;
    }
    SleepUntilNextMillisecond();
}

}  // namespace posix::kernel

namespace testhooks {

void UseTestClock(DWORD start, bool advanceWhenIdle, DWORD idleStepMs) {
    TestClockOn = true;
    AdvanceWhenIdle = advanceWhenIdle;
    IdleStepMs = idleStepMs;
    TestClockNow = start;
}

void UseRealClock() { TestClockOn = false; }

void SetTestClock(DWORD now) { TestClockNow = now; }

void AdvanceTestClock(DWORD ms) { TestClockNow += ms; }

void ResetIdle() { posix::kernel::TakeNotedWork(); }

}  // namespace testhooks
