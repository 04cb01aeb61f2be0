#include "platform/posix/kernel/clock.h"

#include <cstdint>
#include <ctime>

namespace posix::kernel {

DWORD MonotonicMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                        static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);  // keeps the low 32 bits: the Windows wrap
}

// Waking on the next millisecond boundary lets a wait end within a fraction of
// a millisecond of its deadline.
void SleepUntilNextMillisecond() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    timespec wake = now;
    wake.tv_nsec = (now.tv_nsec / 1000000 + 1) * 1000000;
    if (wake.tv_nsec >= 1000000000) {
        wake.tv_nsec -= 1000000000;
        wake.tv_sec += 1;
    }
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr);
}

}  // namespace posix::kernel
