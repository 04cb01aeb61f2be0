// A page runs the program on one thread: the refit has no helper to place.
#include "platform/posix/screen/helper_core.h"

namespace posix::screen {

long PlaceableThread() {
    return 0;
}

void KeepOffCallersCore(long, int*) {}

void LetOnEveryCore(long, int*) {}

}  // namespace posix::screen
