// DefWindowProcA: what Windows does with the messages a procedure passes on.
#include "platform/posix/user/window.h"

namespace {
const LPARAM kAltDown = 1 << 29;  // the context code of a system key message
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (posix::user::IsMainWindow(window)) posix::user::DestroyMainWindow(true);
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
        if (LOWORD(lParam) == HTCLIENT && posix::user::IsMainWindow(window) &&
            posix::user::MainWindow()->classCursor != nullptr) {
            SetCursor(posix::user::MainWindow()->classCursor);
            return TRUE;
        }
        return FALSE;
    default:
        return 0;
    }
}
