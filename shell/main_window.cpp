#include "shell/main_window.h"

#include "display/display.h"
#include "shell/pacing.h"
#include "shell/quit.h"
#include "story/bookmark.h"
#include "story/line_presenter.h"
#include "story/story_driver.h"

HWND MainWindow = NULL;
unsigned char ActivationSeen = 0;

namespace {

[[noreturn]] void QuitWithBookmark() {
    if (Bookmark != -1) SaveBookmark(Bookmark);
    QuitProgram();
}

// Every switch away or back may have cost the surfaces their memory. Once they
// are back with the picture, the page's text is typed again while the picture's
// palette is in effect (GDI matches colours against it), then the palette goes
// back to its brightness and the page is shown.
void RestoreDisplay(BOOL active) {
    if (!TheDisplay.RestoreSurfaces(active)) return;
    if (StoryOnScreen) RedrawPageText();
    TheBrightness.ResendPalette();
    if (StoryOnScreen) ShowPage();
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 1;
    case WM_CLOSE:
        return 1;  // the window is never closed from outside
    case WM_ACTIVATEAPP:
        // Ctrl's key-up goes to the program that takes the focus: without this the
        // story would race on unseen, and go on racing with no key held.
        if (!wParam) PacingEnabled = 1;
        // The first activation comes with the window itself.
        if (!ActivationSeen) {
            ActivationSeen = 1;
        } else {
            RestoreDisplay(static_cast<BOOL>(wParam));
        }
        return 1;
    case WM_SETCURSOR:
        SetCursor(NULL);
        return 1;
    case WM_KEYDOWN:
        if (wParam == VK_CONTROL) {
            PacingEnabled = 0;
            return 1;
        }
        QuitWithBookmark();
    case WM_KEYUP:
        if (wParam == VK_CONTROL) PacingEnabled = 1;
        return 1;
    case WM_MOUSEMOVE:
        if (Bookmark == -1) return 1;
        QuitWithBookmark();
    case WM_RBUTTONDOWN:
        QuitProgram();
    case WM_APP:
        // The web build's page is going out of sight, perhaps for good: the line is
        // kept as a key would keep it, and the story goes on. Windows never sends it.
        if (Bookmark != -1) SaveBookmark(Bookmark);
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
