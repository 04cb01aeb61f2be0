// The program's start and end in a web page. It starts at WinMain, with no
// command line. The page keeps the bookmark in the browser's storage (IDBFS):
// the program writes it as a file, and every end of the program goes through
// exit, which the pages link wrapped (-Wl,--wrap=exit) so that it first waits
// until the browser has stored what was written.
#include "platform/win32.h"

extern "C" {
void reader_sync_storage();  // platform/web/library.js
void __real_exit(int code);

[[noreturn]] void __wrap_exit(int code) {
    reader_sync_storage();
    __real_exit(code);
    __builtin_unreachable();
}
}

int main() {
    char noCommandLine[] = "";
    return WinMain(GetModuleHandleA(nullptr), nullptr, noCommandLine, SW_SHOWDEFAULT);
}
