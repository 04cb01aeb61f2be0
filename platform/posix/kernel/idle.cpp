#include "platform/posix/kernel/kernel.h"

namespace posix::kernel {

namespace {
bool WorkNoted = false;
}

void NoteWork() { WorkNoted = true; }

bool TakeNotedWork() {
    const bool noted = WorkNoted;
    WorkNoted = false;
    return noted;
}

}  // namespace posix::kernel
