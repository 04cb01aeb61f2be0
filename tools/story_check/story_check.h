// Checks a UTF-8 story against what the reader would show, and converts it to
// the CP932 script that the reader reads.
#ifndef TOOLS_STORY_CHECK_STORY_CHECK_H
#define TOOLS_STORY_CHECK_STORY_CHECK_H

#include "tools/story_check/finding.h"

#include <functional>
#include <string>
#include <vector>

// The width in pixels of one drawn step of a line (two bytes, or the last one).
using TextWidth = std::function<int(const std::string&)>;

struct StoryCheckOptions {
    std::string soundFolder = ".";   // where the sound_XY.wav cues are looked for
    bool innerFullStopPause = true;  // part1's pacing (part2: false)
};

struct StoryCheck {
    std::vector<Finding> findings;  // in the order of the story
    bool scriptMade = false;        // every character converted: script holds the story
    std::string script;             // the CP932 script
    int lines = 0;                  // script lines the reader reads
    int characters = 0;             // characters it types
    int pages = 0;
    int soundCues = 0;
    long long readingMs = 0;  // every pause, page pause and cue at normal pace
};

StoryCheck CheckStory(const std::string& utf8, const StoryCheckOptions& options,
                      const TextWidth& width);

#endif
