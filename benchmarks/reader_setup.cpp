#include "benchmarks/reader_setup.h"

#include "display/display.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "story/script.h"

#include <algorithm>
#include <cstring>

bool StartReaderDisplay(int windowWidth, int windowHeight) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.lpszClassName = "ReaderBenchmark";
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(0, "ReaderBenchmark", "ReaderBenchmark", WS_POPUP | WS_VISIBLE,
                                 0, 0, windowWidth ? windowWidth : GetSystemMetrics(SM_CXSCREEN),
                                 windowHeight ? windowHeight : GetSystemMetrics(SM_CYSCREEN),
                                 NULL, NULL, NULL, NULL);
    if (!TheDisplay.InitDisplay(MainWindow, 640, 480, 640, 480)) return false;
    if (!TheDisplay.LoadPaletteFromBitmap("KABE0")) return false;
    TheDisplay.LoadBitmapToSurface("KABE0", 640, 480, 0, 0, 0, 0, BackdropSurface);
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
    return true;
}

void StopReaderDisplay() {
    TheDisplay.ReleaseDisplay();
    DirectDrawObject = NULL;
    DisplayPalette = NULL;
    for (LPDIRECTDRAWSURFACE& surface : SurfaceTable) surface = NULL;
    testhooks::ResetUser();
    MainWindow = NULL;
}

const std::vector<std::string>& SampleCharacters() {
    // も く り は 森 の 湖 に 住 ん で い ま し た 、 (Shift-JIS)
    static const std::vector<std::string> characters = {
        "\x82\xe0", "\x82\xad", "\x82\xe8", "\x82\xcd", "\x90\x58", "\x82\xcc",
        "\x8c\xce", "\x82\xc9", "\x8f\x5a", "\x82\xf1", "\x82\xc5", "\x82\xa2",
        "\x82\xdc", "\x82\xb5", "\x82\xbd", "\x81\x41"};
    return characters;
}

void ClearLoadedScript() {
    for (int i = 0; i < ScriptLineCount; ++i) {
        delete[] ScriptLines[i];
        ScriptLines[i] = nullptr;
    }
    ScriptLineCount = 0;
}

void LoadGeneratedScript(int count, int charactersPerLine) {
    ClearLoadedScript();
    const std::vector<std::string>& characters = SampleCharacters();
    const int perLine = std::min(charactersPerLine, (ScriptLineSize - 1) / 2 - 1);
    for (int i = 0; i < count && ScriptLineCount < ScriptCapacity - 1; ++i) {
        std::string text;
        for (int c = 0; c < perLine; ++c) text += characters[(i + c) % characters.size()];
        text += "\x81\x42";  // 。
        char* line = new char[ScriptLineSize]();
        std::memcpy(line, text.data(), text.size());
        ScriptLines[ScriptLineCount++] = line;
    }
    ScriptLines[ScriptLineCount++] = new char[ScriptLineSize]();  // the end-of-file entry
}
