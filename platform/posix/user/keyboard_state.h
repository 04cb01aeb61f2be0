// The keyboard as of the last input message taken from the queue, which is what
// TranslateMessage reads on Windows.
#ifndef PLATFORM_POSIX_USER_KEYBOARD_STATE_H
#define PLATFORM_POSIX_USER_KEYBOARD_STATE_H

#include "platform/posix/user/message_queue.h"

namespace posix::user {

void RememberKeyboardState(const QueuedMessage& taken);
void ForgetKeyboardState();

}  // namespace posix::user

#endif
