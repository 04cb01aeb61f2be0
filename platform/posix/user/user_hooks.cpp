// Test hooks: input pushed through SDL's queue, and a fresh start between tests.
#include "platform/posix/internal.h"
#include "platform/posix/screen/screen_state.h"
#include "platform/posix/test_hooks_user.h"
#include "platform/posix/user/idle.h"
#include "platform/posix/user/input_events.h"
#include "platform/posix/user/keyboard_state.h"
#include "platform/posix/user/window.h"

namespace testhooks {

namespace {

Uint32 MainWindowId() {
    SDL_Window* window = posix::MainSdlWindow();
    return window != nullptr ? SDL_GetWindowID(window) : 0;
}

void PushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers, bool repeat) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = MainWindowId();
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
}

void PushWindowEvent(Uint8 which) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = MainWindowId();
    event.window.event = which;
    SDL_PushEvent(&event);
}

}  // namespace

void PushKeyDown(SDL_Keycode key, Uint16 modifiers, bool repeat) {
    PushKey(SDL_KEYDOWN, key, modifiers, repeat);
}

void PushKeyUp(SDL_Keycode key, Uint16 modifiers) { PushKey(SDL_KEYUP, key, modifiers, false); }

void PushMouseMotion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = MainWindowId();
    event.motion.x = x;
    event.motion.y = y;
    SDL_Point last = posix::user::LastPointerPosition();
    event.motion.xrel = x - last.x;
    event.motion.yrel = y - last.y;
    SDL_PushEvent(&event);
}

void PushMouseButton(Uint8 button, bool down, int x, int y) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = MainWindowId();
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void PushFocus(bool gained) {
    PushWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void PushCloseRequest() { PushWindowEvent(SDL_WINDOWEVENT_CLOSE); }

void PushQuitRequest() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void ResetUser() {
    posix::CloseScreen();
    posix::screen::ForgetPresents();
    posix::SetFrameSource(nullptr);
    posix::user::DestroyMainWindow(false);
    posix::user::ForgetClasses();
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    posix::user::Queue().Clear();
    posix::user::ForgetActivation();
    posix::user::ForgetInputState();
    posix::user::ForgetKeyboardState();
    posix::user::ForgetWork();
}

}  // namespace testhooks
