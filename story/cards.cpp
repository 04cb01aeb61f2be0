#include "story/cards.h"

#include "display/display.h"
#include "episodes/episode_config.h"
#include "shell/pacing.h"
#include "shell/quit.h"
#include "story/text_style.h"

namespace {

const DWORD TitleHold = 2000;
const DWORD ClosingHold = 5000;
const DWORD DisclaimerHold = 3000;
const int Centred = -1;

// Card texts, Shift-JIS.
const char ProducedBy[] = "\x82\x6F\x82\x92\x82\x8F\x82\x84\x82\x95\x82\x83\x82\x85\x82\x84"
                          "\x81\x40\x82\x82\x82\x99";                          // Ｐｒｏｄｕｃｅｄ　ｂｙ
const char Producer[] = "\x82\x70\x82\x74\x82\x64\x82\x6B\x82\x60";            // ＱＵＥＬＡ
const char Troupe[] = "\x82\xB1\x82\xEB\x82\xB1\x82\xEB\x82\xCF\x82\xF1\x82\xBE\x82\xBE"
                      "\x82\xF1";                                              // ころころぱんだだん
const char Subtitle[] = "\x81\x7C\x82\xDC\x82\xE6\x82\xC8\x82\xA9\x82\xCC\x82\xE0\x82\xAD"
                        "\x82\xE8\x81\x7C";                                    // −まよなかのもくり−
const char DisclaimerLine1[] = "\x82\xB1\x82\xCC\x95\xA8\x8C\xEA\x82\xC9\x93\x6F\x8F\xEA\x82\xB7"
                               "\x82\xE9\x92\x6E\x96\xBC";                     // この物語に登場する地名
const char DisclaimerLine2[] = "\x90\x6C\x95\xA8\x93\x99\x82\xCD\x91\x53\x82\xC4\x89\xCB\x8B\xF3"
                               "\x82\xCC\x95\xA8\x82\xC5\x82\xA0\x82\xE8";     // 人物等は全て架空の物であり
const char DisclaimerLine3[] = "\x8C\xBB\x8E\xC0\x82\xC6\x82\xCD\x8A\xD6\x8C\x57\x82\xA0\x82\xE8"
                               "\x82\xDC\x82\xB9\x82\xF1";                     // 現実とは関係ありません

// White card text on BackSurface.
void DrawCardText(int x, int y, const char* text, int height, int shadowOffset, int italic) {
    TheTextPainter.DrawScreenText(x, y, text, height, 0, TextWeight, shadowOffset, White, italic,
                                  MinchoFaceName, SHIFTJIS_CHARSET, BackSurface);
}

// The card drawn on BackSurface fades in, stays for hold ms and fades out.
void ShowCard(DWORD hold) {
    TheBrightness.SetBrightness(-255);
    TheDisplay.FlipPages();
    TheBrightness.FadeUp(-255, 0);
    MarkTime();
    WaitSinceMark(hold);
    TheBrightness.FadeDown(0, -255);
}

}  // namespace

void ShowTitleCards() {
    MarkTime();
    WaitSinceMark(TitleHold);
    TheDisplay.ClearSurface(BackSurface);
    TheBrightness.SetBrightness(0);
    DrawCardText(Centred, 150, ProducedBy, 50, 1, 1);
    DrawCardText(Centred, 200, Producer, 100, 1, 1);
    ShowCard(TitleHold);

    TheDisplay.ClearSurface(FrontSurface);
    TheBrightness.SetBrightness(0);
    TheDisplay.ClearSurface(BackSurface);
    DrawCardText(Centred, 150, Troupe, 32, 1, 1);
    DrawCardText(Centred, 200, Subtitle, 50, 1, 1);
    DrawCardText(Centred, 270, Episode.PartLabel, 32, 1, 1);
    ShowCard(TitleHold);
}

void RevealBackdrop() {
    TheDisplay.ClearSurface(FrontSurface);
    TheBrightness.SetBrightness(0);
    TheDisplay.CopyOpaque(0, 0, 640, 480, BackSurface, BackdropSurface);
    TheBrightness.SetBrightness(-255);
    TheDisplay.FlipPages();
    TheBrightness.FadeUp(-255, 0);
}

void ShowClosingCards() {
    TheDisplay.ClearSurface(FrontSurface);
    TheDisplay.ClearSurface(BackSurface);
    TheBrightness.SetBrightness(0);
    DrawCardText(Centred, Centred, Episode.ClosingText, 100, 1, 1);
    ShowCard(ClosingHold);

    TheDisplay.ClearSurface(FrontSurface);
    TheBrightness.SetBrightness(0);
    TheRectPainter.FillRectOn(BackSurface, 0, 0, 640, 480, DisclaimerFill);
    DrawCardText(100, 130, DisclaimerLine1, 40, 0, 0);
    DrawCardText(100, 180, DisclaimerLine2, 40, 0, 0);
    DrawCardText(100, 230, DisclaimerLine3, 40, 0, 0);
    ShowCard(DisclaimerHold);
    QuitProgram();
}
