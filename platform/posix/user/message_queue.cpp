#include "platform/posix/user/message_queue.h"

namespace posix::user {

bool MessageFilter::Matches(const MSG& msg) const {
    if (window == kThreadMessagesOnly) {
        if (msg.hwnd != nullptr) return false;
    } else if (window != nullptr && msg.hwnd != window) {
        return false;
    }
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

bool MessageQueue::Post(const MSG& msg) {
    if (posted_.size() + input_.size() >= kPostLimit) return false;
    QueuedMessage entry;
    entry.msg = msg;
    posted_.push_back(entry);
    return true;
}

void MessageQueue::PostInput(const MSG& msg, uint16_t modifiers) {
    if (msg.message == WM_MOUSEMOVE && !input_.empty()) {
        QueuedMessage& tail = input_.back();
        if (tail.msg.message == WM_MOUSEMOVE && tail.msg.hwnd == msg.hwnd) {
            tail.msg = msg;
            tail.modifiers = modifiers;
            return;
        }
    }
    if (posted_.size() + input_.size() >= kPostLimit) return;  // input is dropped, as on overflow
    QueuedMessage entry;
    entry.msg = msg;
    entry.fromInput = true;
    entry.modifiers = modifiers;
    input_.push_back(entry);
}

void MessageQueue::RequestQuit(int exitCode) {
    quitRequested_ = true;
    quitCode_ = exitCode;
}

bool MessageQueue::TakeFrom(std::deque<QueuedMessage>& list, const MessageFilter& filter,
                            bool remove, QueuedMessage* out) {
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (!filter.Matches(it->msg)) continue;
        *out = *it;
        if (remove) list.erase(it);
        return true;
    }
    return false;
}

bool MessageQueue::Take(const MessageFilter& filter, bool remove, QueuedMessage* out) {
    if (TakeFrom(posted_, filter, remove, out)) return true;
    if (TakeFrom(input_, filter, remove, out)) return true;
    // WM_QUIT comes whatever the filter, once nothing else is waiting.
    if (!quitRequested_) return false;
    *out = QueuedMessage{};
    out->msg.message = WM_QUIT;
    out->msg.wParam = static_cast<WPARAM>(quitCode_);
    if (remove) quitRequested_ = false;
    return true;
}

void MessageQueue::DiscardWindow(HWND window) {
    for (std::deque<QueuedMessage>* list : {&posted_, &input_}) {
        for (auto it = list->begin(); it != list->end();) {
            it = it->msg.hwnd == window ? list->erase(it) : it + 1;
        }
    }
}

void MessageQueue::Clear() {
    posted_.clear();
    input_.clear();
    quitRequested_ = false;
    quitCode_ = 0;
}

}  // namespace posix::user
