// Presents one script line: a colour change, a sound cue, or text typed out one
// character at a time with its pauses, row breaks and page breaks.
#ifndef STORY_LINE_PRESENTER_H
#define STORY_LINE_PRESENTER_H

#include "platform/win32.h"

struct TextPosition {
    int x;
    int y;
};

extern TextPosition TextCursor;  // top-left of the next character
extern COLORREF TextColour;

// Where the text of the current page began: the line, the byte offset in it, the
// pen and the colour of its first character; and how many characters it holds.
// Enough to type the page again, the same way, when the text layer lost it.
struct PageOrigin {
    int line;
    int offset;
    TextPosition pen;
    COLORREF colour;
};
extern PageOrigin PageStart;
extern int PageCharacters;

const int StoryFontHeight = 26;
const int TextMargin = 10;
const int RowPitch = StoryFontHeight + 5;
const int WrapBeyondX = 640 - StoryFontHeight - 10;   // wrap before drawing
const int RowFullBeyondX = 640 - StoryFontHeight;     // row break after drawing
const int PageFullBeyondY = 470 - StoryFontHeight;    // page break before drawing

const DWORD CharacterPause = 100;
const DWORD PageFullPause = 2000;
const DWORD SentenceEndExtraPause = 400;
const DWORD CommaExtraPause = 300;

int BytesEqual(const char* a, const char* b, int n);
void PresentLine(int index);

// Types the current page's characters again onto the text layer, as they were
// typed, without pauses, sounds or composing; TextCursor and TextColour are left
// as they were.
void RedrawPageText();
// Composes the picture and the keyed text layer on BackSurface and flips.
void ShowPage();

#endif
