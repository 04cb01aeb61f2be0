#include "platform/posix/kernel/clock.h"

#include <cstdint>
#include <ctime>

namespace posix::kernel {

namespace {

const uint64_t kNanosecondsPerMs = 1000000;

uint64_t MonotonicNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

}  // namespace

DWORD MonotonicMilliseconds() {
    return static_cast<DWORD>(MonotonicNanoseconds() / kNanosecondsPerMs);  // the Windows wrap
}

// Waking at the start of the tick's millisecond lets a wait end within a fraction
// of a millisecond of its deadline.
void SleepUntilTick(DWORD tick, pollfd* wake, int count) {
    const uint64_t now = MonotonicNanoseconds();
    DWORD ahead = tick - static_cast<DWORD>(now / kNanosecondsPerMs);
    if (ahead > 0x7FFFFFFFu) ahead = 0;  // that tick has come: only look at the descriptors
    const uint64_t left =
        ahead == 0 ? 0 : (now / kNanosecondsPerMs + ahead) * kNanosecondsPerMs - now;
    const timespec timeout{static_cast<time_t>(left / 1000000000u),
                           static_cast<long>(left % 1000000000u)};
    ppoll(wake, static_cast<nfds_t>(count), &timeout, nullptr);
}

}  // namespace posix::kernel
