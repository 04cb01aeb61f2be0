// Test-only: input given as if a person gave it, the presented frame read back,
// and a fresh start of the window state between tests.
#ifndef PLATFORM_POSIX_TEST_HOOKS_USER_H
#define PLATFORM_POSIX_TEST_HOOKS_USER_H

#include "platform/win32.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace testhooks {

// Each pushes one event through SDL's own queue, so the next look at the message
// queue turns it into the messages Windows would deliver. SDL video must be up
// (CreateWindowExA or posix::EnsureVideo). Modifiers are SDL's KMOD_ bits held
// while the key changes (for instance KMOD_LALT for Alt+F4).
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

// 3 bytes a pixel (R, G, B), top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// The picture of the last present at the mode's size, before scaling; false before any.
bool PresentedPicture(RgbImage* out);
// What the window shows now, scaled, with its bars; false while no screen is open.
bool PresentedWindow(RgbImage* out);
// How many presents were made since the start (or since ResetUser).
int PresentCount();

// Closes the screen, destroys the window without sending it anything, and forgets
// the window classes, the queue, the quit request, the activation state, the
// keyboard state and the activation listener. SDL stays initialised.
void ResetUser();

}  // namespace testhooks

#endif
