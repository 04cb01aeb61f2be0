#include "tools/story_check/story_check.h"

#include "tools/story_check/script_lines.h"
#include "tools/story_check/source_text.h"
#include "tools/story_check/story_findings.h"

#include <algorithm>

namespace {

bool ScriptCanBeMade(const std::vector<SourceCharacter>& source) {
    return std::all_of(source.begin(), source.end(),
                       [](const SourceCharacter& c) { return c.utf8 && c.encodable; });
}

// The source character of the colour code that turned the text yellow.
const SourceCharacter& YellowCodeOf(const std::vector<SourceCharacter>& source,
                                    const ScriptLine& line) {
    return source[line.count > 2 ? line.first + line.count - 2 : line.first];
}

}  // namespace

StoryCheck CheckStory(const std::string& utf8, const StoryCheckOptions& options,
                      const TextWidth& width) {
    StoryCheck check;
    const std::vector<SourceCharacter> source = ReadSourceText(utf8);
    const ScriptText text = SplitIntoLines(source);
    std::vector<Finding>& findings = check.findings;

    FindCharacterFaults(source, text.readable, &findings);
    FindRowFaults(source, text.readable, &findings);
    FindLineFaults(source, text.lines, &findings);

    const size_t read = std::min(text.lines.size(), size_t(ScriptCapacity));
    std::vector<std::string> held;
    double cueMs = 0;
    for (size_t i = 0; i < read; ++i) {
        held.push_back(text.lines[i].held);
        if (IsSoundLine(text.lines[i].held))
            cueMs += CheckCueFile(source, text.lines[i], options.soundFolder, &findings);
    }
    const StoryWalk walk = WalkStory(held, width, options.innerFullStopPause);
    if (walk.yellowFrom >= 0)
        findings.push_back(FindingAt(YellowCodeOf(source, text.lines[walk.yellowFrom]),
                                     "the story ends in yellow: no c0 follows this c1"));
    if (read == 0)
        findings.push_back(Finding{1, 1,
                                   "the story has no lines: the reader shows its cards and "
                                   "nothing else"});

    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    check.scriptMade = ScriptCanBeMade(source);
    if (check.scriptMade) check.script = ScriptBytes(source);
    check.lines = static_cast<int>(read);
    check.characters = walk.characters;
    check.pages = walk.pages;
    check.soundCues = static_cast<int>(walk.cues.size());
    check.readingMs = walk.pauseMs + static_cast<long long>(cueMs + 0.5);
    return check;
}
