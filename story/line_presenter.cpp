#include "story/line_presenter.h"

#include "display/display.h"
#include "episodes/episode_config.h"
#include "shell/pacing.h"
#include "story/script.h"
#include "story/text_style.h"

#include <cstdio>

TextPosition TextCursor = {TextMargin, TextMargin};
COLORREF TextColour = White;
PageOrigin PageStart = {0, 0, {TextMargin, TextMargin}, White};
int PageCharacters = 0;

namespace {

void PlaySoundCue(const char* line) {
    char name[256];
    // Bytes past the line's end are never read: a short line ends the name early.
    const char first = line[1];
    const char second = first != '\0' ? line[2] : '\0';
    std::snprintf(name, sizeof(name), "sound_%c%c.wav", first, second);
    sndPlaySoundA(name, 0);
}

void BreakPage() {
    WaitSinceMark(PageFullPause);
    MarkTime();
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
    // While fast-forwarding nothing else would wipe the visible page.
    if (!PacingEnabled) TheDisplay.CopyOpaque(0, 0, 640, 480, FrontSurface, BackdropSurface);
    TextCursor = PageTopLeft;
    PageCharacters = 0;
}

int DrawCharacter(const char* character, int slot) {
    return TheTextPainter.DrawScreenText(TextCursor.x, TextCursor.y, character, StoryFontHeight,
                                         0, TextWeight, 3, TextColour, 0, MinchoFaceName,
                                         SHIFTJIS_CHARSET, slot);
}

// Takes the colour of a colour line's pass.
void TakeColour(LineStep step) {
    if (step == StepTurnsYellow) TextColour = Yellow;
    if (step == StepTurnsWhite) TextColour = White;
}

// Draws the two bytes at p at the pen on the text layer (and on the front page
// too when asked), moves the pen on by the width drawn and applies the row rules;
// returns the extra pause the character asks for.
DWORD TypeCharacter(const char* line, int p, bool alsoOnFront) {
    const char character[3] = {line[p], line[p + 1], '\0'};
    if (alsoOnFront) DrawCharacter(character, FrontSurface);
    TextCursor.x += DrawCharacter(character, TextLayerSurface);
    return ApplyRowRules(line, p, &TextCursor, Episode.InnerFullStopPause);
}

}  // namespace

void PresentLine(int index) {
    const char* line = ScriptLines[index];
    for (int p = 0;; p += 2) {
        MarkTime();
        const LineStep step = StepAt(line, p);
        TakeColour(step);
        if (step == StepPlaysCue) PlaySoundCue(line);
        if (step != StepDrawsCharacter) return;
        if (WrapsBeforeDrawing(TextCursor)) NewRow(&TextCursor);
        if (PageFullBeforeDrawing(TextCursor)) BreakPage();

        if (PageCharacters == 0) PageStart = {index, p, TextCursor, TextColour};
        ++PageCharacters;
        const DWORD extraPause = TypeCharacter(line, p, !PacingEnabled);
        if (PacingEnabled) ShowPage();
        WaitSinceMark(CharacterPause + extraPause);
        if (EndsWithSingleByte(line, p)) return;
    }
}

void RedrawPageText() {
    const TextPosition pen = TextCursor;
    const COLORREF colour = TextColour;
    TextCursor = PageStart.pen;
    TextColour = PageStart.colour;
    int typed = 0;
    for (int index = PageStart.line; typed < PageCharacters && index < ScriptLineCount; ++index) {
        const char* line = ScriptLines[index];
        if (!line || StepAt(line, 0) == StepPlaysCue) continue;
        for (int p = index == PageStart.line ? PageStart.offset : 0; typed < PageCharacters;
             p += 2) {
            const LineStep step = StepAt(line, p);
            TakeColour(step);
            if (step != StepDrawsCharacter) break;
            if (WrapsBeforeDrawing(TextCursor)) NewRow(&TextCursor);
            TypeCharacter(line, p, false);
            ++typed;
            if (EndsWithSingleByte(line, p)) break;
        }
    }
    TextCursor = pen;
    TextColour = colour;
}

void ShowPage() {
    TheDisplay.CopyOpaque(0, 0, 640, 480, BackSurface, BackdropSurface);
    TheDisplay.CopyKeyed(0, 0, 640, 480, BackSurface, TextLayerSurface);
    TheDisplay.FlipPages();
}
