#include "tests/support/reader_harness.h"

#include "display/display.h"
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "shell/startup.h"
#include "story/bookmark.h"
#include "story/line_presenter.h"
#include "story/script.h"

#include <algorithm>
#include <cstring>

bool StartReaderDisplay(int width, int height) {
    OpenMainWindow(NULL, Episode.WindowTitle, width ? width : GetSystemMetrics(SM_CXSCREEN),
                   height ? height : GetSystemMetrics(SM_CYSCREEN));
    if (!SetUpDisplay()) return false;
    ClearTextLayer();
    return true;
}

void StopReaderDisplay() {
    TheDisplay.ReleaseDisplay();
    DirectDrawObject = NULL;
    DisplayPalette = NULL;
    for (LPDIRECTDRAWSURFACE& surface : SurfaceTable) surface = NULL;
    std::memset(MasterPalette, 0, sizeof(MasterPalette));
    std::memset(WorkPalette, 0, sizeof(WorkPalette));
    testhooks::ResetWindowAndScreen();
    MainWindow = NULL;
}

bool StartStoryOnTestClock() {
    if (!StartReaderDisplay()) return false;
    testhooks::UseTestClock(10000, true);
    testhooks::ResetSound();
    PacingEnabled = 1;
    TextCursor = {TextMargin, TextMargin};
    TextColour = 0xFFFFFF;
    Bookmark = -1;
    return true;
}

void StopStory() {
    PacingEnabled = 1;
    testhooks::UseRealClock();
    FreeScript();
    StopReaderDisplay();
}

void FreeScript() {
    for (int i = 0; i < ScriptLineCount; ++i) {
        delete[] ScriptLines[i];
        ScriptLines[i] = nullptr;
    }
    ScriptLineCount = 0;
}

void SetScript(const std::vector<std::string>& lines) {
    FreeScript();
    for (const std::string& text : lines) {
        if (ScriptLineCount == ScriptCapacity) break;
        char* line = new char[ScriptLineSize]();
        std::memcpy(line, text.data(), std::min<size_t>(text.size(), ScriptLineSize - 1));
        ScriptLines[ScriptLineCount++] = line;
    }
}
