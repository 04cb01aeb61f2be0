#include "story/line_presenter.h"

#include "display/display.h"
#include "episodes/episode_config.h"
#include "shell/pacing.h"
#include "story/line_walk.h"
#include "story/script.h"
#include "story/text_style.h"

TextPosition TextCursor = {TextMargin, TextMargin};
COLORREF TextColour = White;
PageOrigin PageStart = {0, 0, {TextMargin, TextMargin}, White};
int PageCharacters = 0;

namespace {

int DrawCharacter(const char* character, TextPosition at, int slot) {
    return TheTextPainter.DrawScreenText(at.x, at.y, character, StoryFontHeight, 0, TextWeight, 3,
                                         TextColour, 0, MinchoFaceName, SHIFTJIS_CHARSET, slot);
}

// The presenter's steps of a line's walk: each character drawn, composed,
// flipped and waited for, from a time mark taken when the line starts and
// after each wait.
struct Presenting {
    int index;

    void TurnsColour(COLORREF colour) { TextColour = colour; }
    void PlaysCue(const char* fileName) { sndPlaySoundA(fileName, 0); }

    void BreaksPage(DWORD pause) {
        WaitSinceMark(pause);
        MarkTime();
        TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, KeyFillColour);
        // While fast-forwarding nothing else would wipe the visible page.
        if (!PacingEnabled) TheDisplay.CopyOpaque(0, 0, 640, 480, FrontSurface, BackdropSurface);
        PageCharacters = 0;
    }

    int TypesCharacter(const char* character, TextPosition at, int offset) {
        if (PageCharacters == 0) PageStart = {index, offset, at, TextColour};
        ++PageCharacters;
        if (!PacingEnabled) DrawCharacter(character, at, FrontSurface);
        return DrawCharacter(character, at, TextLayerSurface);
    }

    bool Pauses(DWORD pause) {
        if (PacingEnabled) ShowPage();
        WaitSinceMark(pause);
        MarkTime();
        return true;
    }
};

// The page redraw's steps: the characters drawn on the text layer alone, up to
// the page's last one.
struct Redrawing {
    int typed;

    void TurnsColour(COLORREF colour) { TextColour = colour; }
    void PlaysCue(const char*) {}
    void BreaksPage(DWORD) {}

    int TypesCharacter(const char* character, TextPosition at, int) {
        ++typed;
        return DrawCharacter(character, at, TextLayerSurface);
    }

    bool Pauses(DWORD) { return typed < PageCharacters; }
};

}  // namespace

void PresentLine(int index) {
    Presenting presenting = {index};
    MarkTime();
    WalkLine(ScriptLines[index], 0, &TextCursor, Episode.InnerFullStopPause, presenting);
}

void RedrawPageText() {
    const TextPosition pen = TextCursor;
    const COLORREF colour = TextColour;
    TextCursor = PageStart.pen;
    TextColour = PageStart.colour;
    Redrawing redrawing = {0};
    for (int index = PageStart.line; redrawing.typed < PageCharacters && index < ScriptLineCount;
         ++index) {
        const int from = index == PageStart.line ? PageStart.offset : 0;
        WalkLine(ScriptLines[index], from, &TextCursor, Episode.InnerFullStopPause, redrawing);
    }
    TextCursor = pen;
    TextColour = colour;
}

void ShowPage() {
    TheDisplay.CopyOpaque(0, 0, 640, 480, BackSurface, BackdropSurface);
    TheDisplay.CopyKeyed(0, 0, 640, 480, BackSurface, TextLayerSurface);
    TheDisplay.FlipPages();
}
