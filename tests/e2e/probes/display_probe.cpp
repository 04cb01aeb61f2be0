// One frame made by the reader's display code: the picture KABE0 on the back page,
// a line of white text with its black shadow on top, flipped to the front. The
// program then waits, serving input through the reader's window procedure (any key
// ends it), so a driver can take a screenshot and compare it with the picture.
// "shown.txt" in the current folder tells the driver the frame is on screen.
#include "platform/win32.h"

#include "display/display.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "story/text_style.h"

#include <cstdio>

namespace {

const char* const ProbeTitle = "display probe";
// "■　月夜の影　■" in Shift-JIS: solid squares at both ends give long straight edges.
const char* const ProbeText = "\x81\xA1\x81\x40\x8C\x8E\x96\xE9\x82\xCC\x89\x65\x81\x40\x81\xA1";
const int ProbeTextX = 120;
const int ProbeTextY = 300;
const int ProbeTextHeight = 48;
const int ProbeShadowOffset = 1;

void OpenProbeWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ProbeTitle;
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(0, ProbeTitle, ProbeTitle, WS_POPUP | WS_VISIBLE | WS_SYSMENU,
                                 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), NULL, NULL, instance, NULL);
}

void ShowPictureWithText() {
    TheDisplay.LoadPaletteFromBitmap("KABE0");
    TheDisplay.LoadBitmapToSurface("KABE0", 640, 480, 0, 0, 0, 0, BackdropSurface);
    TheBrightness.SetBrightness(0);
    TheDisplay.CopyOpaque(0, 0, 640, 480, BackSurface, BackdropSurface);
    TheTextPainter.DrawScreenText(ProbeTextX, ProbeTextY, ProbeText, ProbeTextHeight, 0,
                                  TextWeight, ProbeShadowOffset, White, 0, MinchoFaceName,
                                  SHIFTJIS_CHARSET, BackSurface);
    TheDisplay.FlipPages();
}

void ReportShown() {
    std::FILE* file = std::fopen("shown.txt", "w");
    if (!file) return;
    std::fprintf(file, "%d %d %d", ProbeTextX, ProbeTextY, ProbeTextHeight);
    std::fclose(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OpenProbeWindow(instance);
    if (!TheDisplay.InitDisplay(MainWindow, 640, 480, 640, 480)) return 1;
    ShowPictureWithText();
    // One pump first, so a frame drawn straight to the screen is presented.
    MarkTime();
    WaitSinceMark(0);
    ReportShown();
    for (;;) {
        MarkTime();
        WaitSinceMark(1000);
    }
}
