#include "shell/quit.h"

#include "display/display.h"

#include <cstdlib>

void QuitProgram() {
    TheDisplay.ClearSurface(FrontSurface);
    TheDisplay.ClearSurface(BackSurface);
    TheDisplay.ReleaseDisplay();
    std::exit(1);
}
