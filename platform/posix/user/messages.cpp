// Looking at, taking, posting, sending and dispatching messages, and how a look
// at an empty queue rests.
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/screen.h"
#include "platform/posix/user/input_events.h"
#include "platform/posix/user/keyboard.h"
#include "platform/posix/user/window.h"
#include "platform/posix/video/video.h"

#include <poll.h>

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
    posix::kernel::NoteLook();
    // Presenting talks to the display, which may leave input read and waiting.
    if (posix::screen::PresentPendingFrame()) ForgetQuietRest();
    ServeQuitSignal();
    PumpInput();
}

bool Take(const MessageFilter& filter, bool remove, MSG* out) {
    QueuedMessage taken;
    if (!State().queue.Take(filter, remove, &taken)) return false;
    if (remove) RememberKeyboardState(taken);
    if (out != nullptr) *out = taken.msg;
    posix::kernel::NoteWork();  // serving a message is work: the next empty look does not rest
    return true;
}

// Rests until the next step of the clock, or until the display sends something
// (input, focus, a close request) or a quit signal arrives. Whatever the display
// sent before has been read by the look that found the queue empty.
void Rest() {
    pollfd wake[2] = {{posix::video::InputDescriptor(), POLLIN, 0},
                      {QuitSignalDescriptor(), POLLIN, 0}};
    posix::kernel::RestUntilNextStep(wake, 2);
    if (wake[1].revents & POLLIN) DrainQuitSignalPipe();
    if (wake[0].fd >= 0) NoteRestEnd(wake[0].revents != 0);
}

// Only a look with nothing done since the last empty one rests, so a wait costs
// little and a loop that draws between looks (fast-forward) loses nothing.
void RestAfterEmptyLook() {
    if (!posix::kernel::TakeNotedWork()) Rest();
}

WNDPROC ProcedureOf(HWND window) { return IsMainWindow(window) ? MainWindow()->procedure : nullptr; }

}  // namespace

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Refresh();
    if (!IsValidFilterWindow(window)) return FALSE;
    const MessageFilter filter{window, filterMin, filterMax};
    if (Take(filter, (removeFlags & PM_REMOVE) != 0, msg)) return TRUE;
    RestAfterEmptyLook();
    return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) return -1;
    const MessageFilter filter{window, filterMin, filterMax};
    for (;;) {
        Refresh();
        if (!IsValidFilterWindow(window)) return -1;
        if (Take(filter, true, msg)) return msg->message == WM_QUIT ? 0 : TRUE;
        posix::kernel::TakeNotedWork();  // waiting for a message: always rest
        Rest();
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
