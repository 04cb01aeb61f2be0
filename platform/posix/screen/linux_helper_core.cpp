#include "platform/posix/screen/helper_core.h"

#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace posix::screen {

long PlaceableThread() {
    return syscall(SYS_gettid);
}

void KeepOffCallersCore(long thread, int* shunned) {
    const int here = sched_getcpu();
    if (thread <= 0 || here < 0 || here == *shunned) return;
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) != 0 || !CPU_ISSET(here, &cores) ||
        CPU_COUNT(&cores) < 2)
        return;
    CPU_CLR(here, &cores);
    if (sched_setaffinity(static_cast<pid_t>(thread), sizeof cores, &cores) == 0) *shunned = here;
}

void LetOnEveryCore(long thread, int* shunned) {
    cpu_set_t cores;
    if (*shunned < 0 || sched_getaffinity(0, sizeof cores, &cores) != 0) return;
    if (sched_setaffinity(static_cast<pid_t>(thread), sizeof cores, &cores) == 0) *shunned = -1;
}

}  // namespace posix::screen
