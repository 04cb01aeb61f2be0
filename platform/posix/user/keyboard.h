// SDL key events as the key messages Windows delivers, the characters that
// TranslateMessage makes of them, and the keyboard state it reads.
#ifndef PLATFORM_POSIX_USER_KEYBOARD_H
#define PLATFORM_POSIX_USER_KEYBOARD_H

#include "platform/posix/user/message_queue.h"
#include "platform/win32.h"

#include <SDL.h>

namespace posix::user {

struct KeyMessage {
    UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    WPARAM virtualKey = 0;
    LPARAM lParam = 0;
};

// The virtual-key code of a key: letters follow the keyboard layout, every other
// key its position. 0 for keys Windows has no code for here.
UINT VirtualKeyFor(const SDL_Keysym& key);

// False for keys without a virtual-key code.
bool KeyMessageFor(const SDL_KeyboardEvent& event, KeyMessage* out);

// The character a key down makes with these modifiers (SDL's KMOD_ bits), on a
// US layout; 0 when it makes none.
int CharacterFor(UINT virtualKey, Uint16 modifiers);

// Keeps the modifiers of a key message taken from the queue: TranslateMessage
// reads the keyboard as of the last input message retrieved, as on Windows.
void RememberKeyboardState(const QueuedMessage& taken);

}  // namespace posix::user

#endif
