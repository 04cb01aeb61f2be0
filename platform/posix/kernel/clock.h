// The monotonic clock behind GetTickCount, and real sleeps on it, for the clock
// implementations.
#ifndef PLATFORM_POSIX_KERNEL_CLOCK_H
#define PLATFORM_POSIX_KERNEL_CLOCK_H

#include "platform/win32.h"

#include <poll.h>

namespace posix::kernel {

// The longest rest. Windows' own tick moves in steps of 10 to 16 ms, so no wait
// on it is finer than that; the waits of the programs on this layer are whole
// multiples of 20 ms, and so each of them ends on a step of its mark.
constexpr DWORD kRestStepMs = 20;

// Milliseconds of CLOCK_MONOTONIC, wrapping at 2^32 as GetTickCount does on Windows.
DWORD MonotonicMilliseconds();
// Sleeps until MonotonicMilliseconds reads tick, or until one of the descriptors
// can be read or a signal arrives; when tick is not ahead, only looks at the
// descriptors. Their revents say which woke it.
void SleepUntilTick(DWORD tick, pollfd* wake, int count);

}  // namespace posix::kernel

#endif
