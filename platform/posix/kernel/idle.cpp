// GetTickCount, and where the rest of an idle look at the message queue ends.
//
// The reader times a step by reading the tick (its mark), drawing, and then
// looking at the queue and reading the tick in turn until a given number of
// milliseconds have passed since the mark; all of its waits are whole multiples
// of 20 ms. A rest that ends on the mark's next step therefore lets each such
// wait end on time with one wake-up a step instead of one a millisecond. The
// layer does not see the mark being set, but a wait's reads each follow a look
// at the queue, and a mark's does not.
#include "platform/posix/kernel/kernel.h"

namespace {

struct IdleState {
    bool workNoted = false;
    bool lookedSinceRead = false;
    bool markKnown = false;
    DWORD mark = 0;
};

IdleState& Idle() {
    static IdleState state;
    return state;
}

}  // namespace

// The layer's own reads (message times, frame pacing) use CurrentTick, so as
// not to be taken for marks. Marking is work: the first look of a wait does not
// rest, so a wait cut short (Ctrl held) is a single look even with nothing drawn
// since the last one (the page pause right after a character).
DWORD WINAPI GetTickCount(void) {
    IdleState& idle = Idle();
    const DWORD now = posix::kernel::CurrentTick();
    if (!idle.lookedSinceRead) {
        idle.mark = now;
        idle.markKnown = true;
        idle.workNoted = true;
    }
    idle.lookedSinceRead = false;
    return now;
}

namespace posix::kernel {

void NoteWork() { Idle().workNoted = true; }

bool TakeNotedWork() {
    IdleState& idle = Idle();
    const bool noted = idle.workNoted;
    idle.workNoted = false;
    return noted;
}

void NoteLook() { Idle().lookedSinceRead = true; }

DWORD NextRestEnd(DWORD now, DWORD step) {
    const IdleState& idle = Idle();
    const DWORD phase = idle.markKnown ? idle.mark : now;
    const DWORD since = now - phase;  // unsigned: right across the 2^32 wrap
    return now + (step - since % step);
}

void ForgetIdleState() { Idle() = IdleState{}; }

}  // namespace posix::kernel
