// RegisterClassA, CreateWindowExA and the life of the one window behind them.
#include "platform/posix/internal.h"
#include "platform/posix/user/input_events.h"
#include "platform/posix/user/window.h"
#include "platform/posix/user/window_title.h"

#include <SDL.h>

#include <strings.h>

#include <string>
#include <vector>

namespace {

struct RegisteredClass {
    std::string name;
    ATOM atom;
    WNDCLASSA fields;
};

std::vector<RegisteredClass>& Classes() {
    static auto* classes = new std::vector<RegisteredClass>;
    return *classes;
}

const ATOM kFirstAtom = 0xC000;  // where Windows numbers registered classes
ATOM NextAtom = kFirstAtom;

posix::user::Window* Current = nullptr;
bool Destroying = false;
uintptr_t Generation = 0;

const RegisteredClass* FindClass(LPCSTR name) {
    if (name == nullptr) return nullptr;
    for (const RegisteredClass& entry : Classes()) {
        const bool same = IS_INTRESOURCE(name)
                              ? entry.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))
                              : strcasecmp(entry.name.c_str(), name) == 0;  // names ignore case
        if (same) return &entry;
    }
    return nullptr;
}

// Handles are opaque values, new for every window, so a stale one is refused.
HWND NewHandle() { return reinterpret_cast<HWND>(0x10000 + 4 * ++Generation); }

}  // namespace

namespace posix::user {

const Window* MainWindow() { return Current; }

bool IsMainWindow(HWND window) { return window != nullptr && Current != nullptr && window == Current->handle; }

void DestroyMainWindow(bool sendDestroy) {
    if (Current == nullptr || Destroying) return;
    Destroying = true;
    const HWND handle = Current->handle;
    if (sendDestroy) SendMessageA(handle, WM_DESTROY, 0, 0);
    posix::CloseScreen();
    SDL_DestroyWindow(Current->sdl);
    delete Current;
    Current = nullptr;
    ClearActiveState();
    Queue().DiscardWindow(handle);
    Destroying = false;
}

void ForgetClasses() {
    Classes().clear();
    NextAtom = kFirstAtom;
}

}  // namespace posix::user

namespace posix {

SDL_Window* MainSdlWindow() { return Current != nullptr ? Current->sdl : nullptr; }

HWND MainWindowHandle() { return Current != nullptr ? Current->handle : nullptr; }

}  // namespace posix

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
    if (wndClass == nullptr || wndClass->lpszClassName == nullptr ||
        IS_INTRESOURCE(wndClass->lpszClassName) || FindClass(wndClass->lpszClassName) != nullptr)
        return 0;
    RegisteredClass entry{wndClass->lpszClassName, NextAtom++, *wndClass};
    entry.fields.lpszClassName = nullptr;  // the caller's string may not outlive the call
    entry.fields.lpszMenuName = nullptr;
    Classes().push_back(entry);
    return entry.atom;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
    const RegisteredClass* windowClass = FindClass(className);
    if (windowClass == nullptr || windowClass->fields.lpfnWndProc == nullptr) return nullptr;
    if (Current != nullptr) return nullptr;  // this layer has one window
    if (!posix::EnsureVideo()) return nullptr;
    if (width <= 0 || height <= 0) {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    const Uint32 flags = SDL_WINDOW_BORDERLESS | (visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    const std::string title = posix::user::Cp932ToUtf8(windowName);
    SDL_Window* sdl = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (sdl == nullptr) return nullptr;

    Current = new posix::user::Window;
    Current->handle = NewHandle();
    Current->procedure = windowClass->fields.lpfnWndProc;
    Current->classCursor = windowClass->fields.hCursor;
    Current->sdl = sdl;
    posix::user::StartPointerTracking();
    const HWND handle = Current->handle;
    if (visible) {
        SDL_RaiseWindow(sdl);
        // Windows activates a visible window while creating it.
        posix::user::SetActive(true);
    }
    return posix::user::IsMainWindow(handle) ? handle : nullptr;
}
