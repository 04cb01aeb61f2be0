#include "platform/posix/user/idle.h"

#include "platform/posix/internal.h"
#include "platform/posix/test_hooks_kernel.h"

#include <cerrno>
#include <ctime>

namespace {

bool WorkSinceEmptyLook = false;

// GetTickCount counts whole milliseconds of CLOCK_MONOTONIC: waking on its next
// boundary lets a wait end within a fraction of a millisecond of its deadline.
void RestUntilNextMillisecond() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    timespec wake = now;
    wake.tv_nsec = (now.tv_nsec / 1000000 + 1) * 1000000;
    if (wake.tv_nsec >= 1000000000) {
        wake.tv_nsec -= 1000000000;
        wake.tv_sec += 1;
    }
    // A signal cuts the rest short; the next look then serves it.
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr);
}

void Rest() {
    if (posix::TestClockIdle()) return;  // the test clock moved on 1 ms instead
    RestUntilNextMillisecond();
}

}  // namespace

namespace posix {

void NoteWork() { WorkSinceEmptyLook = true; }

}  // namespace posix

namespace posix::user {

void RestAfterEmptyLook() {
    if (WorkSinceEmptyLook) {
        WorkSinceEmptyLook = false;
        return;
    }
    Rest();
}

void RestWhileWaiting() {
    WorkSinceEmptyLook = false;
    Rest();
}

void ForgetWork() { WorkSinceEmptyLook = false; }

}  // namespace posix::user
