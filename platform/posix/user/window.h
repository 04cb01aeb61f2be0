// The user module's state: the one window, its classes, the queue, the focus,
// the pointer and the keyboard, and what the module's files do with it.
#ifndef PLATFORM_POSIX_USER_WINDOW_H
#define PLATFORM_POSIX_USER_WINDOW_H

#include "platform/posix/user/message_queue.h"
#include "platform/win32.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace posix::user {

struct Window {
    HWND handle = nullptr;
    WNDPROC procedure = nullptr;
    HCURSOR classCursor = nullptr;
};

struct RegisteredClass {
    std::string name;
    ATOM atom = 0;
    WNDCLASSA fields{};
};

struct UserState {
    std::vector<RegisteredClass> classes;
    ATOM nextAtom = 0xC000;  // where Windows numbers registered classes
    Window* window = nullptr;
    bool destroying = false;
    bool active = false;  // the program has the focus, as WM_ACTIVATEAPP last said
    MessageQueue queue;
    bool pointerKnown = false;
    SDL_Point pointer{0, 0};       // where the pointer was last seen, in window coordinates
    WPARAM buttonsDown = 0;        // MK_ flags of the mouse buttons held
    Uint16 keyboardModifiers = 0;  // as of the last key message taken from the queue
    // When SDL reads the display (input_events.cpp).
    bool quietRest = false;        // the last rest ended without the display waking it
    DWORD lastRead = 0;
    DWORD lastDisplayWake = 0;
};

// Never destroyed: window procedures may still post while the process exits.
UserState& State();

// The one window, or null when none exists.
const Window* MainWindow();
bool IsMainWindow(HWND window);
// Destroys the window: WM_DESTROY first when sendDestroy, then its SDL window and
// its waiting messages go. The screen is given back before its window goes.
void DestroyMainWindow(bool sendDestroy);

// A change of focus: the procedure is sent WM_ACTIVATEAPP; repeats are dropped.
void SetActive(bool active);

// A message for the queue, stamped with the time and the pointer's place.
MSG MessageFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// True once for each quit signal received since the last call.
bool TakeQuitSignal();
// Readable after a quit signal (-1 before the handlers are installed); a rest
// that it woke drains it.
int QuitSignalDescriptor();
void DrainQuitSignalPipe();

}  // namespace posix::user

#endif
