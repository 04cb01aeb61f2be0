// The program's start and end in a web page. It starts at WinMain, with no
// command line. The page keeps the bookmark in the browser's storage (IDBFS):
// the program writes it as a file, and every end of the program goes through
// exit, which the pages link wrapped (-Wl,--wrap=exit) so that it first waits
// until the browser has stored what was written. A page hidden or left asks the
// window to keep the place meanwhile (reader_keep_place).
#include "platform/posix/user/window.h"
#include "platform/win32.h"

#include <emscripten.h>

namespace {

// Once the program is ending it keeps what it has stored, or not, for good.
bool Ending = false;

}  // namespace

extern "C" {
void reader_sync_storage();  // platform/web/library.js
void __real_exit(int code);

[[noreturn]] void __wrap_exit(int code) {
    Ending = true;
    reader_sync_storage();
    __real_exit(code);
    __builtin_unreachable();
}

// Called by the page, between two of the program's steps, as it is hidden or
// left: the window stores the line on screen as a key would (WM_APP), and the
// story goes on. 1 when the window was there to ask.
EMSCRIPTEN_KEEPALIVE int reader_keep_place() {
    const posix::user::Window* window = posix::user::MainWindow();
    if (Ending || window == nullptr) return 0;
    SendMessageA(window->handle, WM_APP, 0, 0);
    return 1;
}
}

int main() {
    char noCommandLine[] = "";
    return WinMain(GetModuleHandleA(nullptr), nullptr, noCommandLine, SW_SHOWDEFAULT);
}
