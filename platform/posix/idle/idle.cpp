#include "platform/posix/idle/idle.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/video/video.h"

#include <poll.h>

namespace posix::idle {

namespace {

enum class Last { Other, Look };

struct IdleState {
    Last last = Last::Other;   // what the program did last: a look, or anything else
    int emptyLooks = 0;        // since the mark, the last work or the last message
    bool markKnown = false;
    DWORD mark = 0;
};

IdleState& State() {
    static IdleState state;
    return state;
}

void StartCounting() {
    State().emptyLooks = 0;
    State().last = Last::Other;
}

DWORD StepEnd(DWORD now) {
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

RestEnd Rest(int wakeDescriptor) {
    pollfd wake[2] = {{video::InputDescriptor(), POLLIN, 0}, {wakeDescriptor, POLLIN, 0}};
    kernel::SleepUntil(StepEnd(kernel::CurrentTick()), wake, 2);
    return RestEnd{wake[0].fd >= 0 && wake[0].revents == 0, (wake[1].revents & POLLIN) != 0};
}

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
