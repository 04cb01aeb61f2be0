#include "story/story_driver.h"

#include "display/display.h"
#include "shell/pacing.h"
#include "story/bookmark.h"
#include "story/cards.h"
#include "story/line_presenter.h"
#include "story/script.h"

void RunStory() {
    LoadBookmark();
    do {
        PresentLine(Bookmark);
        ++Bookmark;
    } while (Bookmark < ScriptLineCount);
    SaveBookmark(0);
    MarkTime();
    WaitSinceMark(LastLinePause);
    TheBrightness.FadeDown(0, -255);
    ShowClosingCards();
}
