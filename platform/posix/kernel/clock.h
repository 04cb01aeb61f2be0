// The monotonic clock behind GetTickCount, and real sleeps on it, for the clock
// implementations.
#ifndef PLATFORM_POSIX_KERNEL_CLOCK_H
#define PLATFORM_POSIX_KERNEL_CLOCK_H

#include "platform/win32.h"

#include <poll.h>

namespace posix::kernel {

// The step of an idle rest: it divides every wait of the reader (20 ms fade
// steps, 100, 400 and 500 ms characters, 2000 ms pauses, card holds).
constexpr DWORD kRestStepMs = 20;

// Milliseconds of CLOCK_MONOTONIC, wrapping at 2^32 as GetTickCount does on Windows.
DWORD MonotonicMilliseconds();
// Sleeps until MonotonicMilliseconds reads tick, or until one of the descriptors
// can be read or a signal arrives; when tick is not ahead, only looks at the
// descriptors. Their revents say which woke it.
void SleepUntilTick(DWORD tick, pollfd* wake, int count);

}  // namespace posix::kernel

#endif
