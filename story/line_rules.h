// The presenter's rules as pure functions of a script line and the pen: what
// each two-byte pass does, where rows wrap and pages fill, the row break and
// pause after each character, and the file a sound line names. The walk of a
// line (story/line_walk.h) puts them in the reader's order.
#ifndef STORY_LINE_RULES_H
#define STORY_LINE_RULES_H

#include "platform/win32.h"

struct TextPosition {
    int x;
    int y;
};

const int StoryFontHeight = 26;
const int TextMargin = 10;
const int RowPitch = StoryFontHeight + 5;
const int WrapBeyondX = 640 - StoryFontHeight - 10;   // wrap before drawing
const int RowFullBeyondX = 640 - StoryFontHeight;     // row break after drawing
const int PageFullBeyondY = 470 - StoryFontHeight;    // page break before drawing
const TextPosition PageTopLeft = {TextMargin, TextMargin};

const DWORD CharacterPause = 100;
const DWORD PageFullPause = 2000;
const DWORD SentenceEndExtraPause = 400;
const DWORD CommaExtraPause = 300;

int BytesEqual(const char* a, const char* b, int n);

// What the pass at byte offset p of a line does.
enum LineStep { StepEndsLine, StepTurnsYellow, StepTurnsWhite, StepPlaysCue, StepDrawsCharacter };
LineStep StepAt(const char* line, int p);

// The wave file a sound line names: "sound_%c%c.wav" from its second and third
// bytes, into name's CueFileNameSize bytes. Bytes past the line's end are never
// read: a short line ends the name early.
const int CueFileNameSize = 16;
void CueFileName(const char* line, char* name);

// The line "　" alone, which breaks the row.
bool IsRowBreakLine(const char* line);

// A line of odd length ends with the single byte at p, drawn with the NUL after it.
bool EndsWithSingleByte(const char* line, int p);

void NewRow(TextPosition* pen);
bool WrapsBeforeDrawing(const TextPosition& pen);
bool PageFullBeforeDrawing(const TextPosition& pen);

// After the character at p has been drawn and the pen moved past it: breaks the
// row when the rules ask for it and returns the extra pause the character asks
// for. innerFullStopPause is the episode's rule for a "。" inside a row.
DWORD ApplyRowRules(const char* line, int p, TextPosition* pen, int innerFullStopPause);

#endif
