// What the reader makes of an episode's script, for the end-to-end harness, so
// that it never reads a script by rules of its own. Prints the episode's file
// names ("script NAME", "bookmark NAME"); then, unless --names is given, reads
// the script in the current folder as the program does and presents every line
// headless on the test clock, printing "wait" for a line whose presentation
// waited (and so served input) and "pass" for one that returned at once, each
// followed by the line's bytes in hexadecimal and, when a new page began in the
// line, the offset of its first character.
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "story/line_presenter.h"
#include "story/script.h"
#include "tests/support/reader_harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    std::printf("script %s\nbookmark %s\n", Episode.ScriptFileName, Episode.BookmarkFileName);
    if (argc > 1 && std::strcmp(argv[1], "--names") == 0) return 0;
    if (!ReadScriptFile(Episode.ScriptFileName)) return 2;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!StartReaderDisplay(640, 480)) return 3;
    testhooks::ResetScreen();  // nothing is shown
    testhooks::UseTestClock(0, true);
    bool drawnBefore = false;  // the first page's start is no new page
    for (int index = 0; index < ScriptLineCount; ++index) {
        const DWORD before = GetTickCount();
        const PageOrigin pageBefore = PageStart;
        PresentLine(index);
        std::printf("%s ", GetTickCount() != before ? "wait" : "pass");
        for (const char* byte = ScriptLines[index]; *byte != '\0'; ++byte)
            std::printf("%02x", static_cast<unsigned char>(*byte));
        if (drawnBefore && (PageStart.line != pageBefore.line || PageStart.offset != pageBefore.offset))
            std::printf(" %d", PageStart.offset);
        if (PageCharacters > 0) drawnBefore = true;
        std::printf("\n");
    }
    return 0;
}
