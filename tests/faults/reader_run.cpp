#include "reader_run.h"

#include "display/display.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/quit.h"
#include "shell/startup.h"
#include "story/cards.h"
#include "story/script.h"
#include "story/story_driver.h"
#include "tests/system/test_support.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

void RunWholeProgram() {
    testhooks::UseTestClock(10000, true);
    WinMain(NULL, NULL, const_cast<char*>(""), 0);
    std::exit(99);  // WinMain never returns
}

void RunFromStory(const std::function<void()>& before, bool withTitles) {
    testhooks::UseTestClock(10000, true);
    if (!StartReaderDisplay()) std::exit(98);
    LoadScript();
    before();
    if (withTitles) {
        ShowTitleCards();
        RevealBackdrop();
    }
    ClearTextLayer();
    RunStory();
    QuitProgram();
}

std::string RepeatedTokens(const std::string& token, int count) {
    std::string script;
    for (int i = 0; i < count; ++i) script += token + (i % 7 == 6 ? "\r\n" : " ");
    return script;
}
