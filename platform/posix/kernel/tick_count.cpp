// GetTickCount: milliseconds of a monotonic clock, wrapping at 2^32 as on Windows.
// Tests may replace it with a settable clock (test_hooks_kernel.h).
#include "platform/posix/internal.h"
#include "platform/posix/test_hooks_kernel.h"

#include <ctime>

namespace {

bool TestClockOn = false;
bool TestClockAutoAdvance = false;
DWORD TestClockNow = 0;

DWORD MonotonicMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                        static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);  // keeps the low 32 bits: the Windows wrap
}

}  // namespace

DWORD WINAPI GetTickCount(void) {
    return TestClockOn ? TestClockNow : MonotonicMilliseconds();
}

namespace posix {

bool TestClockIdle() {
    if (!TestClockOn || !TestClockAutoAdvance) return false;
    ++TestClockNow;
    return true;
}

bool TestClockActive() { return TestClockOn; }

}  // namespace posix

namespace testhooks {

void UseTestClock(DWORD start, bool advanceWhenIdle) {
    TestClockOn = true;
    TestClockAutoAdvance = advanceWhenIdle;
    TestClockNow = start;
}

void UseRealClock() { TestClockOn = false; }

void SetTestClock(DWORD now) { TestClockNow = now; }

void AdvanceTestClock(DWORD ms) { TestClockNow += ms; }

}  // namespace testhooks
