// The USER32 calls that keep little or no state: the screen size, icons and
// cursors, and SetRect.
#include "platform/posix/video/video.h"
#include "platform/win32.h"

#include <SDL.h>

namespace {

// No resources hold cursors: the arrow is the one system cursor there is.
char ArrowMarker;
HCURSOR Arrow() { return reinterpret_cast<HCURSOR>(&ArrowMarker); }

HCURSOR CurrentCursor = Arrow();

}  // namespace

int WINAPI GetSystemMetrics(int index) {
    if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
    if (!posix::video::EnsureVideo()) return 0;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 0;
    return index == SM_CXSCREEN ? desktop.w : desktop.h;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR) { return nullptr; }  // the program has no icon resources

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance == nullptr && name == IDC_ARROW) return Arrow();
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    const HCURSOR previous = CurrentCursor;
    CurrentCursor = cursor;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(cursor != nullptr ? SDL_ENABLE : SDL_DISABLE);
    return previous;
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (rect == nullptr) return FALSE;
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
    return TRUE;
}
