// Test-only: the settable clock behind GetTickCount.
#ifndef PLATFORM_POSIX_TEST_HOOKS_KERNEL_H
#define PLATFORM_POSIX_TEST_HOOKS_KERNEL_H

#include "platform/win32.h"

namespace testhooks {

// GetTickCount returns a settable value from now on. With advanceWhenIdle, every
// time PeekMessageA finds nothing waiting (where the real clock would rest for up
// to a millisecond) the test clock moves on by 1 ms instead, so timed waits run
// to their end at once and their length can be read on the clock.
void UseTestClock(DWORD start, bool advanceWhenIdle);
void UseRealClock();
void SetTestClock(DWORD now);
void AdvanceTestClock(DWORD ms);

}  // namespace testhooks

namespace posix {
// For PeekMessageA: true when the test clock took the place of a rest (it advanced 1 ms).
bool TestClockIdle();
bool TestClockActive();
}  // namespace posix

#endif
