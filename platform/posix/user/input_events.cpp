#include "platform/posix/user/input_events.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/screen.h"
#include "platform/posix/user/keyboard.h"
#include "platform/posix/user/touch.h"
#include "platform/posix/user/window.h"
#include "platform/posix/video/video.h"

namespace posix::user {

namespace {

// SDL reports a lost focus 200 ms after the display told it, on purpose: for that
// long after the display last sent something SDL is asked to read at every look.
const DWORD kSdlFocusDelayMs = 250;
// Past that, after a rest the display did not wake, it is asked this often only.
const DWORD kQuietReadMs = 100;

LPARAM PointToLParam(int x, int y) {
    return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                               static_cast<uint16_t>(x));
}

WPARAM MouseKeyFlags() {
    WPARAM flags = State().buttonsDown;
    const SDL_Keymod modifiers = SDL_GetModState();
    if (modifiers & KMOD_SHIFT) flags |= MK_SHIFT;
    if (modifiers & KMOD_CTRL) flags |= MK_CONTROL;
    return flags;
}

MSG MessageFor(UINT message, WPARAM wParam, LPARAM lParam) {
    return posix::user::MessageFor(MainWindow()->handle, message, wParam, lParam);
}

// Windows asks the window for its cursor before each mouse message.
// False when the window went away meanwhile.
bool SendSetCursor(UINT mouseMessage) {
    const HWND window = MainWindow()->handle;
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 static_cast<LPARAM>(HTCLIENT | (mouseMessage << 16)));
    return IsMainWindow(window);
}

void HandleKey(const SDL_KeyboardEvent& event) {
    KeyMessage key;
    if (!KeyMessageFor(event, &key)) return;
    State().queue.PostInput(MessageFor(key.message, key.virtualKey, key.lParam), event.keysym.mod);
}

void HandleMotion(const SDL_MouseMotionEvent& event) {
    // SDL repeats the pointer's position when the window appears and on warps.
    UserState& state = State();
    if (state.pointerKnown && event.x == state.pointer.x && event.y == state.pointer.y) return;
    state.pointerKnown = true;
    state.pointer = SDL_Point{event.x, event.y};
    if (!SendSetCursor(WM_MOUSEMOVE)) return;
    state.queue.PostInput(MessageFor(WM_MOUSEMOVE, MouseKeyFlags(), PointToLParam(event.x, event.y)),
                      static_cast<uint16_t>(SDL_GetModState()));
}

void HandleButton(const SDL_MouseButtonEvent& event) {
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    UINT message;
    WPARAM flag;
    switch (event.button) {
    case SDL_BUTTON_LEFT: message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; flag = MK_LBUTTON; break;
    case SDL_BUTTON_RIGHT: message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; flag = MK_RBUTTON; break;
    case SDL_BUTTON_MIDDLE: message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; flag = MK_MBUTTON; break;
    default: return;  // Windows has other messages for the extra buttons; nobody reads them
    }
    WPARAM& buttons = State().buttonsDown;
    buttons = down ? (buttons | flag) : (buttons & ~flag);
    if (!SendSetCursor(message)) return;
    State().queue.PostInput(MessageFor(message, MouseKeyFlags(), PointToLParam(event.x, event.y)),
                      static_cast<uint16_t>(SDL_GetModState()));
}

// The key or button a touch gesture stands for.
void PressKey(SDL_Scancode scancode, SDL_Keycode symbol, bool down, Uint16 modifiers) {
    SDL_KeyboardEvent key{};
    key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    key.keysym.scancode = scancode;
    key.keysym.sym = symbol;
    key.keysym.mod = modifiers;
    HandleKey(key);
}

void PressRightButton(bool down) {
    SDL_MouseButtonEvent button{};
    button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    button.button = SDL_BUTTON_RIGHT;
    button.x = State().pointer.x;
    button.y = State().pointer.y;
    HandleButton(button);
}

void PostGesture(Gesture gesture) {
    switch (gesture) {
    case Gesture::Key:
        PressKey(SDL_SCANCODE_SPACE, SDLK_SPACE, true, KMOD_NONE);
        PressKey(SDL_SCANCODE_SPACE, SDLK_SPACE, false, KMOD_NONE);
        break;
    case Gesture::ControlDown: PressKey(SDL_SCANCODE_LCTRL, SDLK_LCTRL, true, KMOD_LCTRL); break;
    case Gesture::ControlUp: PressKey(SDL_SCANCODE_LCTRL, SDLK_LCTRL, false, KMOD_NONE); break;
    case Gesture::RightButton:
        PressRightButton(true);
        PressRightButton(false);
        break;
    case Gesture::None: break;
    }
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
    if (event.windowID != SDL_GetWindowID(posix::video::HostWindow())) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: SetActive(true); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: SetActive(false); break;
    case SDL_WINDOWEVENT_CLOSE: SendMessageA(MainWindow()->handle, WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: posix::screen::RepaintSoon(); break;  // show the page again
    default: break;
    }
}

// After a rest that the display did not wake there is nothing new to read, but
// SDL still needs a pump now and then for its own timers.
bool DisplayNeedsReading() {
    UserState& state = State();
    const DWORD now = posix::kernel::CurrentTick();
    const bool read = !state.quietRest || now - state.lastDisplayWake < kSdlFocusDelayMs ||
                      now - state.lastRead >= kQuietReadMs;
    if (read) state.lastRead = now;
    state.quietRest = false;
    return read;
}

}  // namespace

void StartPointerTracking() {
    int screenX = 0, screenY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&screenX, &screenY);
    SDL_GetWindowPosition(posix::video::HostWindow(), &windowX, &windowY);
    UserState& state = State();
    state.pointer = SDL_Point{screenX - windowX, screenY - windowY};
    state.pointerKnown = true;
    state.buttonsDown = 0;
}

void HandleEvent(const SDL_Event& event) {
    if (MainWindow() == nullptr) return;  // input before the window has nowhere to go
    Gesture gesture;
    if (TakeTouchEvent(event, &gesture)) {
        PostGesture(gesture);
        return;
    }
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(event.key); break;
    case SDL_MOUSEMOTION: HandleMotion(event.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: HandleButton(event.button); break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_QUIT: SendMessageA(MainWindow()->handle, WM_CLOSE, 0, 0); break;
    default: break;
    }
}

void NoteRestEnded(bool displayQuiet) {
    UserState& state = State();
    state.quietRest = displayQuiet;
    if (!displayQuiet) state.lastDisplayWake = posix::kernel::CurrentTick();
}

void NoteDisplayUsed() { State().quietRest = false; }

void PumpInput() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    if (DisplayNeedsReading()) SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        HandleEvent(event);
    }
    if (MainWindow() != nullptr) PostGesture(TouchHeldAt(SDL_GetTicks()));
}

}  // namespace posix::user
