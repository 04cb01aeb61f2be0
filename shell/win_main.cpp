// The program's whole life as one straight sequence: window, display, palette,
// picture, script, title cards, backdrop, story, closing cards, exit.
#include "platform/win32.h"

#include "display/display.h"
#include "episodes/episode_config.h"
#include "shell/main_window.h"
#include "shell/quit.h"
#include "story/cards.h"
#include "story/script.h"
#include "story/story_driver.h"

namespace {

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass;
    windowClass.style = 0;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "TOPA");  // no such icon: the class has none
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = Episode.WindowTitle;
    RegisterClassA(&windowClass);
}

void CreateMainWindow(HINSTANCE instance) {
    MainWindow = CreateWindowExA(0, Episode.WindowTitle, Episode.WindowTitle,
                                 WS_POPUP | WS_VISIBLE | WS_SYSMENU, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 NULL, NULL, instance, NULL);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RegisterMainWindowClass(instance);
    CreateMainWindow(instance);
    if (!TheDisplay.InitDisplay(MainWindow, 640, 480, 640, 480)) QuitProgram();
    TheDisplay.LoadPaletteFromBitmap("KABE0");
    TheDisplay.LoadBitmapToSurface("KABE0", 640, 480, 0, 0, 0, 0, BackdropSurface);
    LoadScript();
    ShowTitleCards();
    RevealBackdrop();
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
    RunStory();
    QuitProgram();
}
