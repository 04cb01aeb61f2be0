#include "shell/pacing.h"

#include <cstdlib>

DWORD TickMark = 0;
int PacingEnabled = 1;

void MarkTime() { TickMark = GetTickCount(); }

// Dispatches every waiting message; 0 when WM_QUIT was taken from the queue.
// GetMessageA is called only once PeekMessageA has seen a message, so it never blocks.
int PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE)) {
        if (!GetMessageA(&message, NULL, 0, 0)) return 0;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 1;
}

// The elapsed time since the mark, in unsigned arithmetic, is correct across the
// 2^32 wrap of the tick count, where comparing now with mark + ms would not be.
bool DeadlineReached(DWORD now, DWORD mark, DWORD ms) {
    return static_cast<DWORD>(now - mark) >= ms;
}

void WaitSinceMark(DWORD ms) {
    for (;;) {
        if (!PumpMessages()) std::exit(1);
        if (!PacingEnabled || DeadlineReached(GetTickCount(), TickMark, ms)) return;
    }
}
