// Where the refit's helper thread runs. On a virtual machine the kernel counts a
// halted virtual core as unavailable (its host may have given it away), so a
// helper woken by the refit is put on the caller's own core, where it runs only
// once the caller waits: the shared refit then takes longer than one thread's.
// Keeping the helper off the caller's core makes the kernel wake the other.
// Chosen at link time: screen/linux_helper_core.cpp, or
// screen/browser_helper_core.cpp (a page's one thread: nothing to place).
#ifndef PLATFORM_POSIX_SCREEN_HELPER_CORE_H
#define PLATFORM_POSIX_SCREEN_HELPER_CORE_H

namespace posix::screen {

// The calling thread, as KeepOffCallersCore names it; 0 where none can be placed.
long PlaceableThread();

// Lets thread run on every core this process may use but the caller's, where
// there are two or more; *shunned remembers the core kept off, so that nothing is
// asked of the kernel while the caller stays on it.
void KeepOffCallersCore(long thread, int* shunned);

// Lets thread run on every core this process may use again: the caller, about to
// wait for it, leaves its own core free for a helper whose own is taken.
void LetOnEveryCore(long thread, int* shunned);

}  // namespace posix::screen

#endif
