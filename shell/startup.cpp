#include "shell/startup.h"

#include "display/display.h"
#include "shell/main_window.h"

void OpenMainWindow(HINSTANCE instance, LPCSTR title, int width, int height) {
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
    windowClass.lpszClassName = title;
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(0, title, title, WS_POPUP | WS_VISIBLE | WS_SYSMENU, 0, 0,
                                 width, height, NULL, NULL, instance, NULL);
}

int SetUpDisplay() {
    if (!TheDisplay.InitDisplay(MainWindow, 640, 480, 640, 480)) return 0;
    TheDisplay.LoadPaletteFromBitmap("KABE0");
    TheDisplay.LoadBitmapToSurface("KABE0", 640, 480, 0, 0, 0, 0, BackdropSurface);
    return 1;
}

void ClearTextLayer() { TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour); }
