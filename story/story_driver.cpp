#include "story/story_driver.h"

#include "display/display.h"
#include "shell/pacing.h"
#include "story/bookmark.h"
#include "story/cards.h"
#include "story/line_presenter.h"
#include "story/script.h"

int StoryOnScreen = 0;

void RunStory() {
    LoadBookmark();
    StoryOnScreen = 1;
    do {
        PresentLine(Bookmark);
        ++Bookmark;
    } while (Bookmark < ScriptLineCount);
    SaveBookmark(0);
    MarkTime();
    WaitSinceMark(LastLinePause);
    TheBrightness.FadeDown(0, -255);
    StoryOnScreen = 0;
    ShowClosingCards();
}
