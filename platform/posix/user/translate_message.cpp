// TranslateMessage: character messages for character keys.
#include "platform/posix/user/key_mapping.h"
#include "platform/posix/user/keyboard_state.h"

namespace {
Uint16 RetrievedModifiers = KMOD_NONE;
}

namespace posix::user {

void RememberKeyboardState(const QueuedMessage& taken) {
    if (!taken.fromInput) return;  // posted key messages do not change the keyboard
    const UINT message = taken.msg.message;
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
        message == WM_SYSKEYUP)
        RetrievedModifiers = taken.modifiers;
}

void ForgetKeyboardState() { RetrievedModifiers = KMOD_NONE; }

}  // namespace posix::user

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    const UINT message = msg->message;
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return TRUE;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return FALSE;
    const int character =
        posix::user::CharacterFor(static_cast<UINT>(msg->wParam), RetrievedModifiers);
    if (character != 0) {
        PostMessageA(msg->hwnd, message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR,
                     static_cast<WPARAM>(character), msg->lParam);
    }
    return TRUE;
}
