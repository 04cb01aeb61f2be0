// RegisterClassA, CreateWindowExA and the life of the one window behind them:
// its activation and what DefWindowProcA does with the messages passed on.
#include "platform/posix/user/window.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/screen.h"
#include "platform/posix/user/input_events.h"
#include "platform/posix/user/user.h"
#include "platform/posix/video/video.h"

#include <strings.h>

#include <cstring>

namespace posix::user {

namespace {

const LPARAM kAltDown = 1 << 29;  // the context code of a system key message

// Handles are opaque values, new for every window (also across tests), so a
// stale one is refused.
uintptr_t Generation = 0;
HWND NewHandle() { return reinterpret_cast<HWND>(0x10000 + 4 * ++Generation); }

const RegisteredClass* FindClass(LPCSTR name) {
    if (name == nullptr) return nullptr;
    for (const RegisteredClass& entry : State().classes) {
        const bool same = IS_INTRESOURCE(name)
                              ? entry.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))
                              : strcasecmp(entry.name.c_str(), name) == 0;  // names ignore case
        if (same) return &entry;
    }
    return nullptr;
}

}  // namespace

UserState& State() {
    static auto* state = new UserState;
    return *state;
}

const Window* MainWindow() { return State().window; }

bool IsMainWindow(HWND window) {
    return window != nullptr && State().window != nullptr && window == State().window->handle;
}

void DestroyMainWindow(bool sendDestroy) {
    UserState& state = State();
    if (state.window == nullptr || state.destroying) return;
    state.destroying = true;
    const HWND handle = state.window->handle;
    if (sendDestroy) SendMessageA(handle, WM_DESTROY, 0, 0);
    screen::CloseScreen();
    video::DestroyHostWindow();
    delete state.window;
    state.window = nullptr;
    state.active = false;
    state.queue.DiscardWindow(handle);
    state.destroying = false;
}

MSG MessageFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = posix::kernel::CurrentTick();  // not a read of the program's: never a mark
    msg.pt.x = State().pointer.x;
    msg.pt.y = State().pointer.y;
    return msg;
}

void SetActive(bool active) {
    UserState& state = State();
    if (active == state.active || state.window == nullptr) return;
    state.active = active;
    SendMessageA(state.window->handle, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

}  // namespace posix::user

using namespace posix::user;

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
    if (wndClass == nullptr || wndClass->lpszClassName == nullptr ||
        IS_INTRESOURCE(wndClass->lpszClassName) || FindClass(wndClass->lpszClassName) != nullptr)
        return 0;
    RegisteredClass entry{wndClass->lpszClassName, State().nextAtom++, *wndClass};
    entry.fields.lpszClassName = nullptr;  // the caller's string may not outlive the call
    entry.fields.lpszMenuName = nullptr;
    State().classes.push_back(entry);
    return entry.atom;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
    const RegisteredClass* windowClass = FindClass(className);
    if (windowClass == nullptr || windowClass->fields.lpfnWndProc == nullptr) return nullptr;
    UserState& state = State();
    if (state.window != nullptr) return nullptr;  // this layer has one window
    if (!posix::video::EnsureVideo()) return nullptr;
    InstallQuitSignalHandlers();  // the window's queue is where WM_QUIT goes
    if (width <= 0 || height <= 0) {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    const char* name = windowName != nullptr ? windowName : "";
    const std::string title = posix::kernel::Cp932ToUtf8(name, std::strlen(name));
    if (posix::video::CreateHostWindow(title.c_str(), x, y, width, height, visible) == nullptr)
        return nullptr;

    state.window = new Window;
    state.window->handle = NewHandle();
    state.window->procedure = windowClass->fields.lpfnWndProc;
    state.window->classCursor = windowClass->fields.hCursor;
    StartPointerTracking();
    const HWND handle = state.window->handle;
    if (visible) {
        SDL_RaiseWindow(posix::video::HostWindow());
        // Windows activates a visible window while creating it.
        SetActive(true);
    }
    return IsMainWindow(handle) ? handle : nullptr;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (IsMainWindow(window)) DestroyMainWindow(true);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the window to close, through the queue as on Windows.
        if (wParam == VK_F4 && (lParam & kAltDown) != 0)
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SETCURSOR:
        // Over the client area the class cursor is shown.
        if (LOWORD(lParam) == HTCLIENT && IsMainWindow(window) &&
            MainWindow()->classCursor != nullptr) {
            SetCursor(MainWindow()->classCursor);
            return TRUE;
        }
        return FALSE;
    default:
        return 0;
    }
}
