#include "story/line_rules.h"

#include <cstdio>

namespace {

// Shift-JIS characters the layout rules look at. Compared with n = 3 they also
// say that the line ends right after the character.
const char FullStop[] = "\x81\x42";       // 。
const char ClosingQuote[] = "\x81\x76";   // 」
const char Comma[] = "\x81\x41";          // 、
const char FullWidthSpace[] = "\x81\x40"; // 　

}  // namespace

int BytesEqual(const char* a, const char* b, int n) {
    for (int i = 0; i < n; ++i) {
        if (a[i] != b[i]) return 0;
    }
    return 1;
}

// The colour test is made in every pass, the sound test only looks at the
// line's first byte: a line that begins with "s" is a cue from its first pass.
LineStep StepAt(const char* line, int p) {
    if (BytesEqual(line + p, "", 1)) return StepEndsLine;
    if (BytesEqual(line + p, "c1", 3)) return StepTurnsYellow;
    if (BytesEqual(line + p, "c0", 3)) return StepTurnsWhite;
    if (line[0] == 's') return StepPlaysCue;
    return StepDrawsCharacter;
}

void CueFileName(const char* line, char* name) {
    const char first = line[1];
    const char second = first != '\0' ? line[2] : '\0';
    std::snprintf(name, CueFileNameSize, "sound_%c%c.wav", first, second);
}

bool IsRowBreakLine(const char* line) { return BytesEqual(line, FullWidthSpace, 3); }

bool EndsWithSingleByte(const char* line, int p) { return line[p + 1] == '\0'; }

void NewRow(TextPosition* pen) {
    pen->y += RowPitch;
    pen->x = TextMargin;
}

bool WrapsBeforeDrawing(const TextPosition& pen) { return pen.x > WrapBeyondX; }

bool PageFullBeforeDrawing(const TextPosition& pen) { return pen.y > PageFullBeyondY; }

DWORD ApplyRowRules(const char* line, int p, TextPosition* pen, int innerFullStopPause) {
    const char* at = line + p;
    const bool sentenceEndsLine = BytesEqual(at, FullStop, 3) || BytesEqual(at, ClosingQuote, 3);
    const bool wholeLineIsSpace = p == 0 && IsRowBreakLine(line);
    DWORD extraPause = 0;
    if (wholeLineIsSpace || sentenceEndsLine || pen->x > RowFullBeyondX) {
        NewRow(pen);
        extraPause = sentenceEndsLine ? SentenceEndExtraPause : 0;
    } else if (innerFullStopPause && BytesEqual(at, FullStop, 2)) {
        extraPause = CommaExtraPause;
    }
    if (BytesEqual(at, Comma, 2)) extraPause = CommaExtraPause;
    return extraPause;
}
