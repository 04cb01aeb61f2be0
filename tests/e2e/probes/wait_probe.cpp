// The reader's own window procedure and timed waits with nothing else around them.
// Each wait is an hour long; the number of waits that have come back is written
// to waits_done.txt in the current folder (0 once the window is up), so a driver
// can see that a held Ctrl makes every wait return at once and that other keys end
// the program while Alt+F4 and a window manager's close leave it running.
#include "platform/win32.h"

#include "shell/pacing.h"
#include "shell/startup.h"

#include <cstdio>

namespace {

const char* const ProbeTitle = "wait probe";
const DWORD HourMs = 60u * 60u * 1000u;

void WriteWaitsDone(unsigned long count) {
    std::FILE* file = std::fopen("waits_done.txt", "w");
    if (!file) return;
    std::fprintf(file, "%lu", count);
    std::fclose(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OpenMainWindow(instance, ProbeTitle, GetSystemMetrics(SM_CXSCREEN),
                   GetSystemMetrics(SM_CYSCREEN));
    unsigned long waitsDone = 0;
    WriteWaitsDone(waitsDone);
    for (;;) {
        MarkTime();
        WaitSinceMark(HourMs);
        WriteWaitsDone(++waitsDone);
    }
}
