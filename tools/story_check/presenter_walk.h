// The reader's line presenter walked over a whole story without drawing: its
// own rules (story/line_rules.h) decide each two-byte step, colour and sound
// line, row, page and pause, with the pen advanced by the widths the reader's
// own text measurement gives.
#ifndef TOOLS_STORY_CHECK_PRESENTER_WALK_H
#define TOOLS_STORY_CHECK_PRESENTER_WALK_H

#include <functional>
#include <string>
#include <vector>

// The width in pixels of one drawn step of a line (two bytes, or the last one).
using TextWidth = std::function<int(const std::string&)>;

struct StoryWalk {
    int pages = 0;             // pages shown, 0 when nothing is drawn
    int characters = 0;        // steps drawn
    long long pauseMs = 0;     // every character's pause and every page pause
    int endX = 0, endY = 0;    // the pen after the last line
    int yellowFrom = -1;       // the line that left the text yellow at the end, or -1
    std::vector<size_t> cues;  // the sound lines, in order
};

// lines: the script lines as the reader holds them, from the first presented.
// innerFullStopPause: part1's rule, a pause after a "。" inside a row.
StoryWalk WalkStory(const std::vector<std::string>& lines, const TextWidth& width,
                    bool innerFullStopPause);

#endif
