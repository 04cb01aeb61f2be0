#include "platform/posix/user/window.h"

namespace posix::user {

// Never destroyed: window procedures may still post while the process exits.
MessageQueue& Queue() {
    static MessageQueue* queue = new MessageQueue;
    return *queue;
}

}  // namespace posix::user
