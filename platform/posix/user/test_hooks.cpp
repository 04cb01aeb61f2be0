#include "platform/posix/user/test_hooks.h"

#include "platform/posix/user/window.h"
#include "platform/posix/video/video.h"

namespace testhooks {

namespace {

Uint32 HostWindowId() {
    SDL_Window* window = posix::video::HostWindow();
    return window != nullptr ? SDL_GetWindowID(window) : 0;
}

void PushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers, bool repeat) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = HostWindowId();
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
    event.window.windowID = HostWindowId();
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
    event.motion.windowID = HostWindowId();
    event.motion.x = x;
    event.motion.y = y;
    const SDL_Point last = PointerPosition();
    event.motion.xrel = x - last.x;
    event.motion.yrel = y - last.y;
    SDL_PushEvent(&event);
}

void PushMouseButton(Uint8 button, bool down, int x, int y) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = HostWindowId();
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

SDL_Point PointerPosition() { return posix::user::State().pointer; }

void ResetUser() {
    posix::user::DestroyMainWindow(false);
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    posix::user::State() = posix::user::UserState{};
}

}  // namespace testhooks
