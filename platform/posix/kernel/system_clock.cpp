// The programs' clock: the tick on the monotonic clock, and rests that end on the
// steps of the program's mark. Tests link kernel/test_clock.cpp in its place.
#include "platform/posix/kernel/clock.h"
#include "platform/posix/kernel/kernel.h"

namespace posix::kernel {

DWORD CurrentTick() { return MonotonicMilliseconds(); }

void RestUntilNextStep(pollfd* wake, int count) {
    SleepUntilTick(NextRestEnd(MonotonicMilliseconds(), kRestStepMs), wake, count);
}

// The desktop shows frames and queues input while the program runs.
void LetHostRun() {}

}  // namespace posix::kernel
