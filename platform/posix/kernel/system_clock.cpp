// The programs' clock: GetTickCount and the rest of an idle look, on the
// monotonic clock. Tests link kernel/test_clock.cpp in its place.
#include "platform/posix/kernel/clock.h"
#include "platform/posix/kernel/kernel.h"

DWORD WINAPI GetTickCount(void) { return posix::kernel::MonotonicMilliseconds(); }

namespace posix::kernel {

void RestUntilNextTick() { SleepUntilNextMillisecond(); }

}  // namespace posix::kernel
