#include "tools/story_check/story_check.h"

#include "story/line_walk.h"
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

// The reader's walk of the story with nothing drawn: each character as wide as
// the reader's text measurement makes it, every pause and page pause added up,
// and each cue's file checked and its playing time added.
struct StoryReading {
    const std::vector<SourceCharacter>& source;
    const std::vector<ScriptLine>& lines;
    const std::string& soundFolder;
    const TextWidth& width;
    std::vector<Finding>* findings;
    size_t line = 0;          // the line being walked
    int pages = 0;            // pages shown, 0 when nothing is drawn
    int characters = 0;
    int cues = 0;
    long long pauseMs = 0;
    double cueMs = 0;
    int yellowFrom = -1;      // the line that left the text yellow, or -1

    void TurnsColour(COLORREF colour) { yellowFrom = colour == Yellow ? int(line) : -1; }

    void PlaysCue(const char* fileName) {
        ++cues;
        cueMs += CheckCueFile(source, lines[line], fileName, soundFolder, findings);
    }

    void BreaksPage(DWORD pause) {
        pauseMs += pause;
        ++pages;
    }

    int TypesCharacter(const char* character, TextPosition, int) {
        if (pages == 0) pages = 1;
        ++characters;
        return width(character);
    }

    bool Pauses(DWORD pause) {
        pauseMs += pause;
        return true;
    }
};

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
    StoryReading reading = {source, text.lines, options.soundFolder, width, &findings};
    TextPosition pen = PageTopLeft;
    for (; reading.line < read; ++reading.line)
        WalkLine(text.lines[reading.line].held.c_str(), 0, &pen, options.innerFullStopPause,
                 reading);
    if (reading.yellowFrom >= 0)
        findings.push_back(FindingAt(YellowCodeOf(source, text.lines[reading.yellowFrom]),
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
    check.characters = reading.characters;
    check.pages = reading.pages;
    check.soundCues = reading.cues;
    check.readingMs = reading.pauseMs + static_cast<long long>(reading.cueMs + 0.5);
    return check;
}
