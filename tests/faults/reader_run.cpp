#include "reader_run.h"

#include "display/display.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/quit.h"
#include "story/cards.h"
#include "story/script.h"
#include "story/story_driver.h"
#include "tests/system/test_support.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

namespace {

void UseInstantTime(bool instantSound) {
    testhooks::UseTestClock(10000, true);
    testhooks::SetSoundPlaybackInstant(instantSound);
}

}  // namespace

void RunWholeProgram() {
    UseInstantTime(true);
    WinMain(NULL, NULL, const_cast<char*>(""), 0);
    std::exit(99);  // WinMain never returns
}

void RunFromStory(const std::function<void()>& before, bool withTitles, bool instantSound) {
    UseInstantTime(instantSound);
    StartReaderDisplay();
    LoadScript();
    before();
    if (withTitles) {
        ShowTitleCards();
        RevealBackdrop();
    }
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
    RunStory();
    QuitProgram();
}

std::string RepeatedTokens(const std::string& token, int count) {
    std::string script;
    for (int i = 0; i < count; ++i) script += token + (i % 7 == 6 ? "\r\n" : " ");
    return script;
}
