#include "tools/story_check/presenter_walk.h"

#include "story/line_rules.h"

StoryWalk WalkStory(const std::vector<std::string>& lines, const TextWidth& width,
                    bool innerFullStopPause) {
    StoryWalk walk;
    TextPosition pen = PageTopLeft;
    for (size_t index = 0; index < lines.size(); ++index) {
        // Room for the presenter's three-byte tests past the line's end, as its
        // zeroed 256-byte buffer gives it.
        const std::string padded = lines[index] + std::string(4, '\0');
        const char* line = padded.c_str();
        for (int p = 0;; p += 2) {
            const LineStep step = StepAt(line, p);
            if (step == StepTurnsYellow || step == StepTurnsWhite)
                walk.yellowFrom = step == StepTurnsYellow ? static_cast<int>(index) : -1;
            if (step == StepPlaysCue) walk.cues.push_back(index);
            if (step != StepDrawsCharacter) break;
            if (WrapsBeforeDrawing(pen)) NewRow(&pen);
            if (walk.pages == 0) walk.pages = 1;
            if (PageFullBeforeDrawing(pen)) {
                walk.pauseMs += PageFullPause;
                ++walk.pages;
                pen = PageTopLeft;
            }
            const bool lastByte = EndsWithSingleByte(line, p);
            pen.x += width(std::string(line + p, lastByte ? 1 : 2));
            ++walk.characters;
            walk.pauseMs += CharacterPause + ApplyRowRules(line, p, &pen, innerFullStopPause);
            if (lastByte) break;
        }
    }
    walk.endX = pen.x;
    walk.endY = pen.y;
    return walk;
}
