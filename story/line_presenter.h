// Presents one script line: a colour change, a sound cue, or text typed out one
// character at a time with its pauses, row breaks and page breaks.
#ifndef STORY_LINE_PRESENTER_H
#define STORY_LINE_PRESENTER_H

#include "platform/win32.h"
#include "story/line_rules.h"

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

void PresentLine(int index);

// Types the current page's characters again onto the text layer, as they were
// typed, without pauses, sounds or composing; TextCursor and TextColour are left
// as they were.
void RedrawPageText();
// Composes the picture and the keyed text layer on BackSurface and flips.
void ShowPage();

#endif
