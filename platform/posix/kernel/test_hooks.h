// Test-only: the settable clock that tests link in place of the programs' own.
#ifndef PLATFORM_POSIX_KERNEL_TEST_HOOKS_H
#define PLATFORM_POSIX_KERNEL_TEST_HOOKS_H

#include "platform/win32.h"

namespace testhooks {

// GetTickCount returns a settable value from now on. With advanceWhenIdle, every
// time an idle look at the message queue would rest, the test clock moves on to
// where the rest would end (the next step of idleStepMs on the program's mark)
// instead, so timed waits run to their end at once and their length can be read
// on the clock. Without it the clock stands still and a rest sleeps 1 ms.
void UseTestClock(DWORD start, bool advanceWhenIdle, DWORD idleStepMs = 1);
// Back to the monotonic clock, as the programs have it.
void UseRealClock();
void SetTestClock(DWORD now);
void AdvanceTestClock(DWORD ms);
// Forgets work noted since the last rest, and the mark.
void ResetIdle();

}  // namespace testhooks

#endif
