// Activation of the program: one WM_ACTIVATEAPP for each real change.
#include "platform/posix/internal.h"
#include "platform/posix/user/window.h"

namespace {
bool Active = false;
posix::ActivationListener Listener = nullptr;
}  // namespace

namespace posix {

void SetActivationListener(ActivationListener listener) { Listener = listener; }

}  // namespace posix

namespace posix::user {

void SetActive(bool active) {
    if (active == Active || MainWindow() == nullptr) return;
    Active = active;
    // ddraw marks its surfaces lost before the procedure hears of the change, so
    // that a procedure restoring them on WM_ACTIVATEAPP finds them lost.
    if (Listener != nullptr) Listener(active);
    SendMessageA(MainWindow()->handle, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

bool IsActive() { return Active; }

void ClearActiveState() { Active = false; }

void ForgetActivation() {
    Active = false;
    Listener = nullptr;
}

}  // namespace posix::user
