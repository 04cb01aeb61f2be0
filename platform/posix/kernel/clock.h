// The monotonic clock behind GetTickCount, and real sleeps on it, for the clock
// implementations.
#ifndef PLATFORM_POSIX_KERNEL_CLOCK_H
#define PLATFORM_POSIX_KERNEL_CLOCK_H

#include "platform/win32.h"

#include <poll.h>

namespace posix::kernel {

// Milliseconds of CLOCK_MONOTONIC, wrapping at 2^32 as GetTickCount does on Windows.
DWORD MonotonicMilliseconds();
// SleepUntil on the monotonic clock.
void SleepUntilTick(DWORD tick, pollfd* wake, int count);

}  // namespace posix::kernel

#endif
