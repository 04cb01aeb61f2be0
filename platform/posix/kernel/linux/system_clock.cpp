// The programs' clock: the tick on the monotonic clock, and real sleeps. Tests
// link kernel/test_clock.cpp in its place.
#include "platform/posix/kernel/clock.h"
#include "platform/posix/kernel/kernel.h"

namespace posix::kernel {

DWORD CurrentTick() { return MonotonicMilliseconds(); }

void SleepUntil(DWORD tick, pollfd* wake, int count) { SleepUntilTick(tick, wake, count); }

// The desktop shows frames and queues input while the program runs.
void LetHostRun() {}

}  // namespace posix::kernel
