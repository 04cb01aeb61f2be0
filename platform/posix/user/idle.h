// How a look at an empty queue rests: at most until the clock's next millisecond,
// and not at all when the program did work since the last empty look.
#ifndef PLATFORM_POSIX_USER_IDLE_H
#define PLATFORM_POSIX_USER_IDLE_H

namespace posix::user {

// After a look that found nothing: rests unless work was noted since the last one.
void RestAfterEmptyLook();
// While GetMessageA waits for a message: always rests.
void RestWhileWaiting();
void ForgetWork();

}  // namespace posix::user

#endif
