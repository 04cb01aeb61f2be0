// Test-only: the settable clock that tests link in place of the programs' own.
#ifndef PLATFORM_POSIX_KERNEL_TEST_HOOKS_H
#define PLATFORM_POSIX_KERNEL_TEST_HOOKS_H

#include "platform/win32.h"

namespace testhooks {

// GetTickCount returns a settable value from now on. With advanceWhenIdle, every
// rest of an idle look at the message queue moves the test clock on to where the
// rest ends, at once: timed waits run to their end with the programs' own rests,
// and their length can be read on the clock. Without it the clock stands still
// and a rest sleeps 1 ms.
void UseTestClock(DWORD start, bool advanceWhenIdle);
// Back to the monotonic clock, as the programs have it.
void UseRealClock();
void SetTestClock(DWORD now);
void AdvanceTestClock(DWORD ms);
// Forgets the mark and the empty looks counted.
void ResetIdle();

}  // namespace testhooks

#endif
