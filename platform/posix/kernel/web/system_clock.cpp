// The programs' clock in a browser: the tick on the monotonic clock (the page's
// performance.now()), and sleeps that give the thread back to the browser. The
// program runs on the page's one thread, and while it runs the browser neither
// shows a frame nor delivers input: a sleep returns to the browser until its end
// or the first input event (ASYNCIFY unwinds the program and winds it back), and
// a program that has not slept for a frame's time yields to it when it shows one.
// A page has no descriptors: input ends a sleep through the display's event watch.
#include "platform/posix/kernel/clock.h"
#include "platform/posix/kernel/kernel.h"

extern "C" {
// platform/web/library.js: the first returns when performance.now() reaches
// endMs or an input event arrives; the second once the browser has run its
// pending tasks.
void reader_rest(double endMs);
void reader_yield();
}

namespace posix::kernel {

namespace {

// How long the browser may go without the thread while the program shows frames.
const DWORD kFrameMs = 16;
DWORD LastHandedBack = 0;

}  // namespace

DWORD CurrentTick() { return MonotonicMilliseconds(); }

// The page's clock does not wrap within the life of a page, so the tick is its
// whole milliseconds; a tick not ahead still hands the thread over, once.
void SleepUntil(DWORD tick, pollfd* wake, int count) {
    for (int i = 0; i < count; ++i) wake[i].revents = 0;
    const DWORD now = MonotonicMilliseconds();
    const DWORD ahead = tick - now < 0x80000000u ? tick - now : 0;
    reader_rest(double(now) + double(ahead));
    LastHandedBack = MonotonicMilliseconds();
}

void LetHostRun() {
    if (MonotonicMilliseconds() - LastHandedBack < kFrameMs) return;
    reader_yield();
    LastHandedBack = MonotonicMilliseconds();
}

}  // namespace posix::kernel
