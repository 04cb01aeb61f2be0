#include "platform/posix/idle/idle.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/video/video.h"

#include <poll.h>

namespace posix::idle {

namespace {

// SDL reports a lost focus 200 ms after the display told it, on purpose: for that
// long after the display last sent something SDL is asked to read at every look.
const DWORD kSdlFocusDelayMs = 250;
// Past that, after a rest the display did not wake, it is asked this often only.
const DWORD kQuietReadMs = 100;

enum class Last { Other, Look };

struct IdleState {
    Last last = Last::Other;   // what the program did last: a look, or anything else
    int emptyLooks = 0;        // since the mark, the last work or the last message
    bool markKnown = false;
    DWORD mark = 0;
    bool quietRest = false;    // the last rest ended without the display waking it
    DWORD lastRead = 0;        // when SDL last read the display
    DWORD lastDisplayWake = 0;
};

IdleState& State() {
    static IdleState state;
    return state;
}

void StartCounting() {
    State().emptyLooks = 0;
    State().last = Last::Other;
}

DWORD RestEnd(DWORD now) {
    const IdleState& idle = State();
    if (!idle.markKnown) return now + 1;
    const DWORD since = now - idle.mark;  // unsigned: right across the 2^32 wrap
    return now + (kStepMs - since % kStepMs);
}

}  // namespace

void NoteWork() { StartCounting(); }

void NoteMessage() {
    StartCounting();
    State().markKnown = false;
}

bool ShouldRest() {
    IdleState& idle = State();
    idle.last = Last::Look;
    return ++idle.emptyLooks >= kLooksBeforeRest;
}

bool Rest(int wakeDescriptor) {
    pollfd wake[2] = {{video::InputDescriptor(), POLLIN, 0}, {wakeDescriptor, POLLIN, 0}};
    kernel::SleepUntil(RestEnd(kernel::CurrentTick()), wake, 2);
    IdleState& idle = State();
    if (wake[0].fd >= 0) {
        idle.quietRest = wake[0].revents == 0;
        if (!idle.quietRest) idle.lastDisplayWake = kernel::CurrentTick();
    }
    return (wake[1].revents & POLLIN) != 0;
}

bool DisplayNeedsReading() {
    IdleState& idle = State();
    const DWORD now = kernel::CurrentTick();
    const bool read = !idle.quietRest || now - idle.lastDisplayWake < kSdlFocusDelayMs ||
                      now - idle.lastRead >= kQuietReadMs;
    if (read) idle.lastRead = now;
    idle.quietRest = false;
    return read;
}

void NoteDisplayUsed() { State().quietRest = false; }

void Forget() { State() = IdleState{}; }

}  // namespace posix::idle

// A read right after a look is a wait's; any other read is the program marking
// the time, which starts the count of empty looks again. The layer's own reads
// (message times, frame pacing) use CurrentTick, so as not to be taken for marks.
DWORD WINAPI GetTickCount(void) {
    using namespace posix::idle;
    const DWORD now = posix::kernel::CurrentTick();
    IdleState& idle = State();
    if (idle.last != Last::Look) {
        idle.mark = now;
        idle.markKnown = true;
        idle.emptyLooks = 0;
    }
    idle.last = Last::Other;
    return now;
}
