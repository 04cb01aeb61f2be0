// The monotonic clock behind GetTickCount, for the clock implementations.
#ifndef PLATFORM_POSIX_KERNEL_CLOCK_H
#define PLATFORM_POSIX_KERNEL_CLOCK_H

#include "platform/win32.h"

namespace posix::kernel {

// Milliseconds of CLOCK_MONOTONIC, wrapping at 2^32 as GetTickCount does on Windows.
DWORD MonotonicMilliseconds();
// Sleeps until that count next changes; a signal cuts the sleep short.
void SleepUntilNextMillisecond();

}  // namespace posix::kernel

#endif
