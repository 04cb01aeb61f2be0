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

// Shift-JIS characters the layout rules look at. Compared with n = 3 they also
// say that the line ends right after the character.
const char FullStop[] = "\x81\x42";       // 。
const char ClosingQuote[] = "\x81\x76";   // 」
const char Comma[] = "\x81\x41";          // 、
const char FullWidthSpace[] = "\x81\x40"; // 　

void NewRow() {
    TextCursor.y += RowPitch;
    TextCursor.x = TextMargin;
}

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
    TextCursor.x = TextMargin;
    TextCursor.y = TextMargin;
    PageCharacters = 0;
}

int DrawCharacter(const char* character, int slot) {
    return TheTextPainter.DrawScreenText(TextCursor.x, TextCursor.y, character, StoryFontHeight,
                                         0, TextWeight, 3, TextColour, 0, MinchoFaceName,
                                         SHIFTJIS_CHARSET, slot);
}

// The row break and the extra pause after the character at p, just drawn.
DWORD ApplyPunctuation(const char* line, int p) {
    const char* at = line + p;
    const bool sentenceEndsLine = BytesEqual(at, FullStop, 3) || BytesEqual(at, ClosingQuote, 3);
    const bool wholeLineIsSpace = p == 0 && BytesEqual(at, FullWidthSpace, 3);
    DWORD extraPause = 0;
    if (wholeLineIsSpace || sentenceEndsLine || TextCursor.x > RowFullBeyondX) {
        NewRow();
        extraPause = sentenceEndsLine ? SentenceEndExtraPause : 0;
    } else if (Episode.InnerFullStopPause && BytesEqual(at, FullStop, 2)) {
        extraPause = CommaExtraPause;
    }
    if (BytesEqual(at, Comma, 2)) extraPause = CommaExtraPause;
    return extraPause;
}

// The first tests of every pass: the line ends here, or is a colour line, whose
// colour is taken.
bool EndsOrTakesColour(const char* line, int p) {
    if (BytesEqual(line + p, "", 1)) return true;
    if (BytesEqual(line + p, "c1", 3)) {
        TextColour = Yellow;
        return true;
    }
    if (BytesEqual(line + p, "c0", 3)) {
        TextColour = White;
        return true;
    }
    return false;
}

bool IsSoundCue(const char* line) { return line[0] == 's'; }

// Draws the two bytes at p at the pen on the text layer (and on the front page
// too when asked), moves the pen on by the width drawn and applies the row rules;
// returns the extra pause the character asks for.
DWORD TypeCharacter(const char* line, int p, bool alsoOnFront) {
    const char character[3] = {line[p], line[p + 1], '\0'};
    if (alsoOnFront) DrawCharacter(character, FrontSurface);
    TextCursor.x += DrawCharacter(character, TextLayerSurface);
    return ApplyPunctuation(line, p);
}

}  // namespace

int BytesEqual(const char* a, const char* b, int n) {
    for (int i = 0; i < n; ++i) {
        if (a[i] != b[i]) return 0;
    }
    return 1;
}

void PresentLine(int index) {
    const char* line = ScriptLines[index];
    for (int p = 0;; p += 2) {
        MarkTime();
        if (EndsOrTakesColour(line, p)) return;
        if (IsSoundCue(line)) {
            PlaySoundCue(line);
            return;
        }
        if (TextCursor.x > WrapBeyondX) NewRow();
        if (TextCursor.y > PageFullBeyondY) BreakPage();

        if (PageCharacters == 0) PageStart = {index, p, TextCursor, TextColour};
        ++PageCharacters;
        const DWORD extraPause = TypeCharacter(line, p, !PacingEnabled);
        if (PacingEnabled) ShowPage();
        WaitSinceMark(CharacterPause + extraPause);
        // A line of odd length ends in a single byte drawn with the NUL after it.
        if (line[p + 1] == '\0') return;
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
        if (!line || IsSoundCue(line)) continue;
        for (int p = index == PageStart.line ? PageStart.offset : 0; typed < PageCharacters;
             p += 2) {
            if (EndsOrTakesColour(line, p)) break;
            if (TextCursor.x > WrapBeyondX) NewRow();
            TypeCharacter(line, p, false);
            ++typed;
            if (line[p + 1] == '\0') break;
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
