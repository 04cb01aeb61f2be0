// The walk of one script line in the reader's order: two bytes at a time from
// an even offset, each pass ending the line, changing the colour, playing a cue
// or typing a character at the pen. Before a character the row wraps and the
// page breaks when the pen asks for it; after it the row rules move the pen on
// and give its pause. The presenter, the page redraw and the story checker all
// walk lines with it, each acting on the steps in its own way, by an actions
// value that has:
//   void TurnsColour(COLORREF colour);
//   void PlaysCue(const char* fileName);
//   void BreaksPage(DWORD pause);  the pen then goes to the page's top left
//   int TypesCharacter(const char* character, TextPosition at, int offset);
//                                  returns the width drawn; character is one or
//                                  two bytes and a NUL
//   bool Pauses(DWORD pause);      after the character; false ends the walk
#ifndef STORY_LINE_WALK_H
#define STORY_LINE_WALK_H

#include "story/line_rules.h"
#include "story/text_style.h"

template <typename Actions>
void WalkLine(const char* line, int from, TextPosition* pen, int innerFullStopPause,
              Actions& actions) {
    for (int p = from;; p += 2) {
        const LineStep step = StepAt(line, p);
        if (step == StepTurnsYellow) actions.TurnsColour(Yellow);
        if (step == StepTurnsWhite) actions.TurnsColour(White);
        if (step == StepPlaysCue) {
            char name[CueFileNameSize];
            CueFileName(line, name);
            actions.PlaysCue(name);
        }
        if (step != StepDrawsCharacter) return;
        if (WrapsBeforeDrawing(*pen)) NewRow(pen);
        if (PageFullBeforeDrawing(*pen)) {
            actions.BreaksPage(PageFullPause);
            *pen = PageTopLeft;
        }
        const char character[3] = {line[p], line[p + 1], '\0'};
        pen->x += actions.TypesCharacter(character, *pen, p);
        const DWORD pause = CharacterPause + ApplyRowRules(line, p, pen, innerFullStopPause);
        if (!actions.Pauses(pause) || EndsWithSingleByte(line, p)) return;
    }
}

#endif
