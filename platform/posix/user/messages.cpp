// Looking at, taking, posting, sending and dispatching messages. An empty look
// rests when the program is waiting (idle/idle.h says when and how long).
#include "platform/posix/idle/idle.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/screen.h"
#include "platform/posix/user/input_events.h"
#include "platform/posix/user/keyboard.h"
#include "platform/posix/user/window.h"

using namespace posix::user;

namespace {

bool IsValidFilterWindow(HWND window) {
    return window == nullptr || window == kThreadMessagesOnly || IsMainWindow(window);
}

void ServeQuitSignal() {
    if (!TakeQuitSignal()) return;
    MSG quit{};
    quit.message = WM_QUIT;
    quit.time = posix::kernel::CurrentTick();
    if (!State().queue.Post(quit)) State().queue.RequestQuit(0);
}

// What every look at the queue does first.
void Refresh() {
    // Presenting talks to the display, which may leave input read and waiting.
    if (posix::screen::PresentPendingFrame()) NoteDisplayUsed();
    ServeQuitSignal();
    PumpInput();
}

bool Take(const MessageFilter& filter, bool remove, MSG* out) {
    QueuedMessage taken;
    if (!State().queue.Take(filter, remove, &taken)) return false;
    if (remove) RememberKeyboardState(taken);
    if (out != nullptr) *out = taken.msg;
    posix::idle::NoteMessage();
    return true;
}

void Rest() {
    const posix::idle::RestEnd end = posix::idle::Rest(QuitSignalDescriptor());
    NoteRestEnded(end.displayQuiet);
    if (end.woken) DrainQuitSignalPipe();
}

WNDPROC ProcedureOf(HWND window) { return IsMainWindow(window) ? MainWindow()->procedure : nullptr; }

}  // namespace

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Refresh();
    if (!IsValidFilterWindow(window)) return FALSE;
    const MessageFilter filter{window, filterMin, filterMax};
    if (Take(filter, (removeFlags & PM_REMOVE) != 0, msg)) return TRUE;
    if (posix::idle::ShouldRest()) Rest();
    return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) return -1;
    const MessageFilter filter{window, filterMin, filterMax};
    for (;;) {
        Refresh();
        if (!IsValidFilterWindow(window)) return -1;
        if (Take(filter, true, msg)) return msg->message == WM_QUIT ? 0 : TRUE;
        Rest();  // waiting for a message: always rest
    }
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && !IsMainWindow(window)) return FALSE;
    return State().queue.Post(MessageFor(window, message, wParam, lParam)) ? TRUE : FALSE;
}

void WINAPI PostQuitMessage(int exitCode) { State().queue.RequestQuit(exitCode); }

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC procedure = ProcedureOf(window);
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr) return 0;
    const WNDPROC procedure = ProcedureOf(msg->hwnd);
    return procedure != nullptr ? procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}
