// GetTickCount, and where the rest of an idle look at the message queue ends.
//
// The reader times a step by reading the tick (its mark), drawing, and looking at
// the queue until the tick is a given number of milliseconds past the mark; all
// of its waits are whole multiples of 20 ms. A rest that ends on the mark's next
// step therefore lets each such wait end on time with one wake-up a step instead
// of one a millisecond. The layer does not see the mark itself: it takes the tick
// read last before the program drew, since a timed step marks and then draws.
#include "platform/posix/kernel/kernel.h"

namespace {

struct IdleState {
    bool workNoted = false;
    bool readSinceRest = false;  // lastRead was read after the last rest
    DWORD lastRead = 0;
    bool markKnown = false;
    DWORD mark = 0;
};

IdleState& Idle() {
    static IdleState state;
    return state;
}

}  // namespace

// The program's reads are noted, as one of them is the mark its wait counts from;
// the layer's own reads (message times, frame pacing) use CurrentTick.
DWORD WINAPI GetTickCount(void) {
    IdleState& idle = Idle();
    idle.lastRead = posix::kernel::CurrentTick();
    idle.readSinceRest = true;
    return idle.lastRead;
}

namespace posix::kernel {

void NoteWork() {
    IdleState& idle = Idle();
    idle.workNoted = true;
    if (idle.readSinceRest) {
        idle.mark = idle.lastRead;
        idle.markKnown = true;
    }
}

void NoteMessageServed() { Idle().workNoted = true; }

void NoteBlockingCallEnded() {
    IdleState& idle = Idle();
    idle.workNoted = true;
    idle.markKnown = false;  // the mark before the call says nothing about the steps after it
}

bool TakeNotedWork() {
    IdleState& idle = Idle();
    const bool noted = idle.workNoted;
    idle.workNoted = false;
    return noted;
}

DWORD NextRestEnd(DWORD now, DWORD step) {
    IdleState& idle = Idle();
    // A wait that drew nothing after its mark (the first one, or the first after a
    // blocking call) counts from the tick read last.
    if (!idle.markKnown && idle.readSinceRest) {
        idle.mark = idle.lastRead;
        idle.markKnown = true;
    }
    idle.readSinceRest = false;
    const DWORD phase = idle.markKnown ? idle.mark : now;
    const DWORD since = now - phase;  // unsigned: right across the 2^32 wrap
    return now + (step - since % step);
}

void ForgetIdleState() { Idle() = IdleState{}; }

}  // namespace posix::kernel
