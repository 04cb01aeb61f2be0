// Test-only: input given as if a person gave it, and a fresh start of the
// window module between tests.
#ifndef PLATFORM_POSIX_USER_TEST_HOOKS_H
#define PLATFORM_POSIX_USER_TEST_HOOKS_H

#include "platform/win32.h"

#include <SDL.h>

namespace testhooks {

// Each pushes one event through SDL's own queue, so the next look at the message
// queue turns it into the messages Windows would deliver. SDL video must be up
// (CreateWindowExA does it). Modifiers are SDL's KMOD_ bits held while the key
// changes (for instance KMOD_LALT for Alt+F4).
void PushKeyDown(SDL_Keycode key, Uint16 modifiers = KMOD_NONE, bool repeat = false);
void PushKeyUp(SDL_Keycode key, Uint16 modifiers = KMOD_NONE);
// The pointer now at (x, y) in window coordinates; a motion to where the pointer
// already is stands for SDL's spurious motions and is not a move.
void PushMouseMotion(int x, int y);
// button is SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE or SDL_BUTTON_RIGHT.
void PushMouseButton(Uint8 button, bool down, int x = 0, int y = 0);
void PushFocus(bool gained);
void PushCloseRequest();  // the window manager's close button (SDL_WINDOWEVENT_CLOSE)
void PushQuitRequest();   // SDL_QUIT, as a window manager or session sends it

// Where the pointer was last seen, in window coordinates.
SDL_Point PointerPosition();

// Destroys the window without sending it anything (which gives the screen back),
// drops SDL's waiting events and forgets the classes, the queue, the focus, the
// pointer and the keyboard. SDL stays initialised.
void ResetUser();

}  // namespace testhooks

#endif
