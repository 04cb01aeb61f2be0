// The thread's message queue: posted messages first, then input messages, then a
// quit request, in the order GetMessageA retrieves them on Windows.
#ifndef PLATFORM_POSIX_USER_MESSAGE_QUEUE_H
#define PLATFORM_POSIX_USER_MESSAGE_QUEUE_H

#include "platform/win32.h"

#include <cstdint>
#include <deque>

namespace posix::user {

// The filter window of PeekMessageA and GetMessageA that asks for thread messages only.
inline const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

// What the caller of PeekMessageA or GetMessageA asked for.
struct MessageFilter {
    HWND window = nullptr;  // null: every window and thread messages; (HWND)-1: thread messages only
    UINT first = 0;         // 0 and 0: every message
    UINT last = 0;
    bool Matches(const MSG& msg) const;
};

// A message taken from the queue, with the keyboard modifiers (SDL's KMOD_ bits)
// that held when it was input; posted messages carry none.
struct QueuedMessage {
    MSG msg{};
    bool fromInput = false;
    uint16_t modifiers = 0;
};

class MessageQueue {
public:
    // Windows refuses posts beyond this many waiting messages.
    static constexpr size_t kPostLimit = 10000;

    bool Post(const MSG& msg);
    // Input is kept apart: it is retrieved after every posted message. A mouse
    // move replaces a mouse move still waiting at the end, as Windows merges them.
    void PostInput(const MSG& msg, uint16_t modifiers);
    void RequestQuit(int exitCode);

    // The first message that matches, removed or left in place.
    bool Take(const MessageFilter& filter, bool remove, QueuedMessage* out);
    // Drops every message of a window that no longer exists.
    void DiscardWindow(HWND window);
    void Clear();
    bool Empty() const { return posted_.empty() && input_.empty() && !quitRequested_; }

private:
    static bool TakeFrom(std::deque<QueuedMessage>& list, const MessageFilter& filter,
                         bool remove, QueuedMessage* out);

    std::deque<QueuedMessage> posted_;
    std::deque<QueuedMessage> input_;
    bool quitRequested_ = false;
    int quitCode_ = 0;
};

}  // namespace posix::user

#endif
