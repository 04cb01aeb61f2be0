#include "fuzz/fuzz_support.h"

#include "display/display.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "story/script.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void EnterScratchFolder() {
    char folder[] = "/tmp/reader-fuzz-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) std::abort();
}

void CreateWindowAndDisplay() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.lpszClassName = "ReaderFuzz";
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(0, "ReaderFuzz", "ReaderFuzz", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                                 480, NULL, NULL, NULL, NULL);
    if (!MainWindow || !TheDisplay.InitDisplay(MainWindow, 640, 480, 640, 480) ||
        !TheDisplay.LoadPaletteFromBitmap("KABE0"))
        std::abort();
    TheDisplay.LoadBitmapToSurface("KABE0", 640, 480, 0, 0, 0, 0, BackdropSurface);
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
}

}  // namespace

void StartHeadlessReader() {
    static bool started = false;
    if (started) return;
    started = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EnterScratchFolder();
    CreateWindowAndDisplay();
    testhooks::UseTestClock(10000, true);
    testhooks::SetSoundPlaybackInstant(true);
}

std::string WriteScratchFile(const char* name, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(name, "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return name;
}

void FreeScript() {
    for (int i = 0; i < ScriptLineCount; ++i) {
        delete[] ScriptLines[i];
        ScriptLines[i] = nullptr;
    }
    ScriptLineCount = 0;
}
