// One frame made by the reader's display code: the picture KABE0 on the back page,
// a line of white text with its black shadow on top, flipped to the front. The
// program then waits, serving input through the reader's window procedure (any key
// ends it), so a driver can take a screenshot and compare it with the picture.
// "shown.txt" in the current folder tells the driver the frame is on screen.
#include "platform/win32.h"

#include "display/display.h"
#include "shell/pacing.h"
#include "shell/startup.h"
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

void ShowPictureWithText() {
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
    OpenMainWindow(instance, ProbeTitle, GetSystemMetrics(SM_CXSCREEN),
                   GetSystemMetrics(SM_CYSCREEN));
    if (!SetUpDisplay()) return 1;
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
