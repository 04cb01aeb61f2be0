// The program's whole life as one straight sequence: window, display, palette,
// picture, script, title cards, backdrop, story, closing cards, exit.
#include "platform/win32.h"

#include "episodes/episode_config.h"
#include "shell/quit.h"
#include "shell/startup.h"
#include "story/cards.h"
#include "story/script.h"
#include "story/story_driver.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The screen's size as it is before the display mode changes.
    OpenMainWindow(instance, Episode.WindowTitle, GetSystemMetrics(SM_CXSCREEN),
                   GetSystemMetrics(SM_CYSCREEN));
    if (!SetUpDisplay()) QuitProgram();
    LoadScript();
    ShowTitleCards();
    RevealBackdrop();
    ClearTextLayer();
    RunStory();
    QuitProgram();
}
