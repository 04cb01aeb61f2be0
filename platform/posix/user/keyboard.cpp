#include "platform/posix/user/keyboard.h"

#include "platform/posix/user/window.h"

namespace posix::user {

namespace {

// A key by its position: its virtual-key code on a US layout, and the scan code
// (set 1) and extended flag that Windows puts in the key message's lParam.
struct KeyPosition {
    SDL_Scancode scancode;
    UINT virtualKey;
    unsigned scanCode;
    bool extended;
};

const KeyPosition kKeyPositions[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false},
    {SDL_SCANCODE_1, '1', 0x02, false}, {SDL_SCANCODE_2, '2', 0x03, false},
    {SDL_SCANCODE_3, '3', 0x04, false}, {SDL_SCANCODE_4, '4', 0x05, false},
    {SDL_SCANCODE_5, '5', 0x06, false}, {SDL_SCANCODE_6, '6', 0x07, false},
    {SDL_SCANCODE_7, '7', 0x08, false}, {SDL_SCANCODE_8, '8', 0x09, false},
    {SDL_SCANCODE_9, '9', 0x0A, false}, {SDL_SCANCODE_0, '0', 0x0B, false},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, 0x0C, false}, {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, 0x0D, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E, false}, {SDL_SCANCODE_TAB, VK_TAB, 0x0F, false},
    {SDL_SCANCODE_Q, 'Q', 0x10, false}, {SDL_SCANCODE_W, 'W', 0x11, false},
    {SDL_SCANCODE_E, 'E', 0x12, false}, {SDL_SCANCODE_R, 'R', 0x13, false},
    {SDL_SCANCODE_T, 'T', 0x14, false}, {SDL_SCANCODE_Y, 'Y', 0x15, false},
    {SDL_SCANCODE_U, 'U', 0x16, false}, {SDL_SCANCODE_I, 'I', 0x17, false},
    {SDL_SCANCODE_O, 'O', 0x18, false}, {SDL_SCANCODE_P, 'P', 0x19, false},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, 0x1A, false}, {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, 0x1B, false},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C, false}, {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D, false},
    {SDL_SCANCODE_A, 'A', 0x1E, false}, {SDL_SCANCODE_S, 'S', 0x1F, false},
    {SDL_SCANCODE_D, 'D', 0x20, false}, {SDL_SCANCODE_F, 'F', 0x21, false},
    {SDL_SCANCODE_G, 'G', 0x22, false}, {SDL_SCANCODE_H, 'H', 0x23, false},
    {SDL_SCANCODE_J, 'J', 0x24, false}, {SDL_SCANCODE_K, 'K', 0x25, false},
    {SDL_SCANCODE_L, 'L', 0x26, false}, {SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, false},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, 0x28, false}, {SDL_SCANCODE_GRAVE, VK_OEM_3, 0x29, false},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A, false}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5, 0x2B, false},
    {SDL_SCANCODE_Z, 'Z', 0x2C, false}, {SDL_SCANCODE_X, 'X', 0x2D, false},
    {SDL_SCANCODE_C, 'C', 0x2E, false}, {SDL_SCANCODE_V, 'V', 0x2F, false},
    {SDL_SCANCODE_B, 'B', 0x30, false}, {SDL_SCANCODE_N, 'N', 0x31, false},
    {SDL_SCANCODE_M, 'M', 0x32, false}, {SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, 0x34, false}, {SDL_SCANCODE_SLASH, VK_OEM_2, 0x35, false},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36, false}, {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37, false},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38, false}, {SDL_SCANCODE_SPACE, VK_SPACE, 0x39, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A, false},
    {SDL_SCANCODE_F1, VK_F1 + 0, 0x3B, false}, {SDL_SCANCODE_F2, VK_F1 + 1, 0x3C, false},
    {SDL_SCANCODE_F3, VK_F1 + 2, 0x3D, false}, {SDL_SCANCODE_F4, VK_F1 + 3, 0x3E, false},
    {SDL_SCANCODE_F5, VK_F1 + 4, 0x3F, false}, {SDL_SCANCODE_F6, VK_F1 + 5, 0x40, false},
    {SDL_SCANCODE_F7, VK_F1 + 6, 0x41, false}, {SDL_SCANCODE_F8, VK_F1 + 7, 0x42, false},
    {SDL_SCANCODE_F9, VK_F1 + 8, 0x43, false}, {SDL_SCANCODE_F10, VK_F1 + 9, 0x44, false},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true}, {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46, false},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, 0x47, false}, {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, 0x48, false},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, 0x49, false}, {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A, false},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, 0x4B, false}, {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, 0x4C, false},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, 0x4D, false}, {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E, false},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, 0x4F, false}, {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, 0x50, false},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, 0x51, false}, {SDL_SCANCODE_KP_0, VK_NUMPAD0 + 0, 0x52, false},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, 0x53, false},
    {SDL_SCANCODE_F11, VK_F1 + 10, 0x57, false}, {SDL_SCANCODE_F12, VK_F1 + 11, 0x58, false},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true}, {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x1D, true},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x35, true}, {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0x37, true},
    {SDL_SCANCODE_RALT, VK_MENU, 0x38, true}, {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45, false},
    {SDL_SCANCODE_HOME, VK_HOME, 0x47, true}, {SDL_SCANCODE_UP, VK_UP, 0x48, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x49, true}, {SDL_SCANCODE_LEFT, VK_LEFT, 0x4B, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0x4D, true}, {SDL_SCANCODE_END, VK_END, 0x4F, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0x50, true}, {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x51, true},
    {SDL_SCANCODE_INSERT, VK_INSERT, 0x52, true}, {SDL_SCANCODE_DELETE, VK_DELETE, 0x53, true},
    {SDL_SCANCODE_LGUI, VK_LWIN, 0x5B, true}, {SDL_SCANCODE_RGUI, VK_RWIN, 0x5C, true},
    {SDL_SCANCODE_APPLICATION, VK_APPS, 0x5D, true},
};

const KeyPosition* PositionOf(SDL_Scancode scancode) {
    for (const KeyPosition& position : kKeyPositions) {
        if (position.scancode == scancode) return &position;
    }
    return nullptr;
}

// With Num Lock off the keypad digits are the cursor keys they are labelled with.
UINT KeypadWithoutNumLock(UINT virtualKey) {
    switch (virtualKey) {
    case VK_NUMPAD0 + 7: return VK_HOME;
    case VK_NUMPAD0 + 8: return VK_UP;
    case VK_NUMPAD0 + 9: return VK_PRIOR;
    case VK_NUMPAD0 + 4: return VK_LEFT;
    case VK_NUMPAD0 + 6: return VK_RIGHT;
    case VK_NUMPAD0 + 1: return VK_END;
    case VK_NUMPAD0 + 2: return VK_DOWN;
    case VK_NUMPAD0 + 3: return VK_NEXT;
    case VK_NUMPAD0 + 0: return VK_INSERT;
    case VK_DECIMAL: return VK_DELETE;
    default: return virtualKey;
    }
}

bool IsAltKey(UINT virtualKey) { return virtualKey == VK_MENU; }

}  // namespace

UINT VirtualKeyFor(const SDL_Keysym& key) {
    if (key.sym >= 'a' && key.sym <= 'z') return static_cast<UINT>(key.sym - 'a' + 'A');
    const KeyPosition* position = PositionOf(key.scancode);
    if (position == nullptr) return 0;
    if ((key.mod & KMOD_NUM) == 0) return KeypadWithoutNumLock(position->virtualKey);
    return position->virtualKey;
}

bool KeyMessageFor(const SDL_KeyboardEvent& event, KeyMessage* out) {
    const UINT virtualKey = VirtualKeyFor(event.keysym);
    if (virtualKey == 0) return false;
    const KeyPosition* position = PositionOf(event.keysym.scancode);
    const bool down = event.type == SDL_KEYDOWN;
    const bool altHeld = (event.keysym.mod & KMOD_ALT) != 0 || IsAltKey(virtualKey);
    const bool ctrlHeld = (event.keysym.mod & KMOD_CTRL) != 0;
    // Alt (without Ctrl, which makes AltGr) and F10 make system keys.
    const bool system = (altHeld && !ctrlHeld) || virtualKey == VK_F10;

    uint32_t lParam = 1;  // repeat count
    if (position != nullptr) {
        lParam |= (position->scanCode & 0xFF) << 16;
        if (position->extended) lParam |= 1u << 24;
    }
    if (system && altHeld) lParam |= 1u << 29;            // context code: Alt is down
    if (!down || event.repeat != 0) lParam |= 1u << 30;  // the key was down before
    if (!down) lParam |= 1u << 31;                       // released

    out->message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    out->virtualKey = virtualKey;
    out->lParam = static_cast<LPARAM>(lParam);  // 32 flag bits, not sign-extended
    return true;
}

int CharacterFor(UINT virtualKey, Uint16 modifiers) {
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    const bool ctrl = (modifiers & KMOD_CTRL) != 0;
    const bool alt = (modifiers & KMOD_ALT) != 0;
    const bool caps = (modifiers & KMOD_CAPS) != 0;
    if (ctrl && alt) return 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (ctrl) return static_cast<int>(virtualKey - 'A' + 1);
        return static_cast<int>(shift != caps ? virtualKey : virtualKey - 'A' + 'a');
    }
    switch (virtualKey) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return ctrl ? '\n' : '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return ctrl ? 0x7F : 0x08;
    case VK_TAB: return ctrl ? 0 : '\t';
    default: break;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9)
        return ctrl ? 0 : static_cast<int>('0' + virtualKey - VK_NUMPAD0);
    switch (virtualKey) {
    case VK_MULTIPLY: return ctrl ? 0 : '*';
    case VK_ADD: return ctrl ? 0 : '+';
    case VK_SUBTRACT: return ctrl ? 0 : '-';
    case VK_DECIMAL: return ctrl ? 0 : '.';
    case VK_DIVIDE: return ctrl ? 0 : '/';
    case VK_OEM_4: return ctrl ? 0x1B : (shift ? '{' : '[');
    case VK_OEM_5: return ctrl ? 0x1C : (shift ? '|' : '\\');
    case VK_OEM_6: return ctrl ? 0x1D : (shift ? '}' : ']');
    default: break;
    }
    if (ctrl) return 0;
    static const char kDigits[] = "0123456789";
    static const char kShiftedDigits[] = ")!@#$%^&*(";
    if (virtualKey >= '0' && virtualKey <= '9')
        return (shift ? kShiftedDigits : kDigits)[virtualKey - '0'];
    struct Punctuation { UINT virtualKey; char plain; char shifted; };
    static const Punctuation kPunctuation[] = {
        {VK_OEM_1, ';', ':'}, {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
        {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
        {VK_OEM_3, '`', '~'}, {VK_OEM_7, '\'', '"'},
    };
    for (const Punctuation& key : kPunctuation) {
        if (key.virtualKey == virtualKey) return shift ? key.shifted : key.plain;
    }
    return 0;
}

void RememberKeyboardState(const QueuedMessage& taken) {
    if (!taken.fromInput) return;  // posted key messages do not change the keyboard
    const UINT message = taken.msg.message;
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
        message == WM_SYSKEYUP)
        State().keyboardModifiers = taken.modifiers;
}

}  // namespace posix::user

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    const UINT message = msg->message;
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return TRUE;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return FALSE;
    const int character = posix::user::CharacterFor(static_cast<UINT>(msg->wParam),
                                                    posix::user::State().keyboardModifiers);
    if (character != 0) {
        PostMessageA(msg->hwnd, message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR,
                     static_cast<WPARAM>(character), msg->lParam);
    }
    return TRUE;
}
