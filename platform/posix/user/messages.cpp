// Looking at, taking, posting, sending and dispatching messages.
#include "platform/posix/internal.h"
#include "platform/posix/user/idle.h"
#include "platform/posix/user/input_events.h"
#include "platform/posix/user/keyboard_state.h"
#include "platform/posix/user/quit_signals.h"
#include "platform/posix/user/window.h"

namespace {

using posix::user::MessageFilter;
using posix::user::Queue;
using posix::user::QueuedMessage;

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

bool IsValidFilterWindow(HWND window) {
    return window == nullptr || window == kThreadMessagesOnly || posix::user::IsMainWindow(window);
}

void ServeQuitSignal() {
    if (!posix::user::TakeQuitSignal()) return;
    MSG quit{};
    quit.message = WM_QUIT;
    quit.time = GetTickCount();
    if (!Queue().Post(quit)) Queue().RequestQuit(0);
}

// What every look at the queue does first.
void Refresh() {
    posix::PresentPendingFrame();
    ServeQuitSignal();
    posix::user::PumpInput();
}

bool Take(const MessageFilter& filter, bool remove, MSG* out) {
    QueuedMessage taken;
    if (!Queue().Take(filter, remove, &taken)) return false;
    if (remove) posix::user::RememberKeyboardState(taken);
    if (out != nullptr) *out = taken.msg;
    posix::NoteWork();  // serving a message is work: the next empty look does not rest
    return true;
}

WNDPROC ProcedureOf(HWND window) {
    return posix::user::IsMainWindow(window) ? posix::user::MainWindow()->procedure : nullptr;
}

}  // namespace

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Refresh();
    if (!IsValidFilterWindow(window)) return FALSE;
    const MessageFilter filter{window, filterMin, filterMax};
    if (Take(filter, (removeFlags & PM_REMOVE) != 0, msg)) return TRUE;
    posix::user::RestAfterEmptyLook();
    return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) return -1;
    const MessageFilter filter{window, filterMin, filterMax};
    for (;;) {
        Refresh();
        if (!IsValidFilterWindow(window)) return -1;
        if (Take(filter, true, msg)) return msg->message == WM_QUIT ? 0 : TRUE;
        posix::user::RestWhileWaiting();
    }
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && !posix::user::IsMainWindow(window)) return FALSE;
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    const SDL_Point pointer = posix::user::LastPointerPosition();
    msg.pt.x = pointer.x;
    msg.pt.y = pointer.y;
    return Queue().Post(msg) ? TRUE : FALSE;
}

void WINAPI PostQuitMessage(int exitCode) { Queue().RequestQuit(exitCode); }

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC procedure = ProcedureOf(window);
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr) return 0;
    const WNDPROC procedure = ProcedureOf(msg->hwnd);
    return procedure != nullptr ? procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}
