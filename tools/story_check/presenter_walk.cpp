#include "tools/story_check/presenter_walk.h"

#include "story/line_presenter.h"

namespace {

const char FullStop[] = "\x81\x42";        // 。
const char ClosingQuote[] = "\x81\x76";    // 」
const char Comma[] = "\x81\x41";           // 、
const char FullWidthSpace[] = "\x81\x40";  // 　

// The presenter's byte test: n bytes from at equal those of literal, its NUL included.
bool Matches(const char* at, const char* literal, int n) {
    for (int i = 0; i < n; ++i)
        if (at[i] != literal[i]) return false;
    return true;
}

struct Pen {
    int x = TextMargin, y = TextMargin;
    void NewRow() {
        y += RowPitch;
        x = TextMargin;
    }
};

// The pause after the step at p, just drawn, and the row break it brings.
long long PunctuationPause(const char* line, int p, bool innerFullStopPause, Pen* pen) {
    const char* at = line + p;
    const bool sentenceEndsLine = Matches(at, FullStop, 3) || Matches(at, ClosingQuote, 3);
    const bool wholeLineIsSpace = p == 0 && Matches(at, FullWidthSpace, 3);
    long long extra = 0;
    if (wholeLineIsSpace || sentenceEndsLine || pen->x > RowFullBeyondX) {
        pen->NewRow();
        extra = sentenceEndsLine ? SentenceEndExtraPause : 0;
    } else if (innerFullStopPause && Matches(at, FullStop, 2)) {
        extra = CommaExtraPause;
    }
    if (Matches(at, Comma, 2)) extra = CommaExtraPause;
    return CharacterPause + extra;
}

}  // namespace

StoryWalk WalkStory(const std::vector<std::string>& lines, const TextWidth& width,
                    bool innerFullStopPause) {
    StoryWalk walk;
    Pen pen;
    for (size_t index = 0; index < lines.size(); ++index) {
        // Room for the presenter's three-byte tests past the line's end, as its
        // zeroed 256-byte buffer gives it; a line of odd length ends at the NUL
        // that its last single byte is drawn with.
        const std::string padded = lines[index] + std::string(4, '\0');
        const char* line = padded.c_str();
        for (int p = 0; line[p] != '\0'; p += 2) {
            if (Matches(line + p, "c1", 3) || Matches(line + p, "c0", 3)) {
                walk.yellowFrom = line[p + 1] == '1' ? static_cast<int>(index) : -1;
                break;
            }
            if (line[0] == 's') {
                walk.cues.push_back(index);
                break;
            }
            if (pen.x > WrapBeyondX) pen.NewRow();
            if (walk.pages == 0) walk.pages = 1;
            if (pen.y > PageFullBeyondY) {
                walk.pauseMs += PageFullPause;
                ++walk.pages;
                pen = Pen();
            }
            const std::string step(line + p, line[p + 1] != '\0' ? 2 : 1);
            pen.x += width(step);
            ++walk.characters;
            walk.pauseMs += PunctuationPause(line, p, innerFullStopPause, &pen);
        }
    }
    walk.endX = pen.x;
    walk.endY = pen.y;
    return walk;
}
