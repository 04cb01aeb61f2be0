// The user module's own view of the one window, its classes and its queue.
#ifndef PLATFORM_POSIX_USER_WINDOW_H
#define PLATFORM_POSIX_USER_WINDOW_H

#include "platform/posix/user/message_queue.h"
#include "platform/win32.h"

struct SDL_Window;

namespace posix::user {

struct Window {
    HWND handle = nullptr;
    WNDPROC procedure = nullptr;
    HCURSOR classCursor = nullptr;
    SDL_Window* sdl = nullptr;
};

// The one window, or null when none exists.
const Window* MainWindow();
bool IsMainWindow(HWND window);
// Destroys the window: WM_DESTROY first when sendDestroy, then its SDL window and
// its waiting messages go. The screen is given back before its window goes.
void DestroyMainWindow(bool sendDestroy);
// Forgets every registered class.
void ForgetClasses();

MessageQueue& Queue();

// Activation of the program, as WM_ACTIVATEAPP reports it: the listener is told,
// then the procedure is sent the change. Repeats of the current state are dropped.
void SetActive(bool active);
bool IsActive();
// The window is gone: inactive, without telling anyone.
void ClearActiveState();
// Also forgets the listener (tests start afresh).
void ForgetActivation();

}  // namespace posix::user

#endif
