// The line presenter on the test clock: pauses, rows, pages, colours, sounds and
// the fast-forward paths, in the part the tests are linked with.
#include "display/display.h"
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "story/line_presenter.h"
#include "story/script.h"
#include "story/story_driver.h"
#include "test_support.h"
#include "tests/platform/winmm/wave_images.h"
#include "tools/story_check/story_check.h"
#include "tools/story_check/text_measure.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

namespace {

const int White = 98;   // what GDI gives 0xFFFFFF with the picture's table
const int Yellow = 224;
const int Black = 0;

class Presenter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartStoryOnTestClock());
    }
    void TearDown() override {
        StopStory();
    }

    // Presents the lines in order; the time each one took on the test clock.
    std::vector<DWORD> Present(const std::vector<std::string>& lines) {
        SetScript(lines);
        std::vector<DWORD> times;
        for (int index = 0; index < ScriptLineCount; ++index) {
            const DWORD start = GetTickCount();
            PresentLine(index);
            times.push_back(GetTickCount() - start);
        }
        return times;
    }
    DWORD PresentOne(const char* utf8) { return Present({Sjis(utf8)})[0]; }
};

TEST_F(Presenter, SentenceEndPausesAndBreaksTheRow) {
    EXPECT_EQ(100u + 100u + 500u, PresentOne("あい。"));
    EXPECT_EQ(TextMargin, TextCursor.x);
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);
    EXPECT_EQ(100u + 500u, PresentOne("あ」"));
    EXPECT_EQ(TextMargin + 2 * RowPitch, TextCursor.y);
}

TEST_F(Presenter, ALineWithoutASentenceEndIsContinuedOnTheSameRow) {
    PresentOne("あい");
    const int afterFirst = TextCursor.x;
    EXPECT_GT(afterFirst, TextMargin + 30);
    EXPECT_EQ(TextMargin, TextCursor.y);
    PresentOne("う");
    EXPECT_GT(TextCursor.x, afterFirst);
    EXPECT_EQ(TextMargin, TextCursor.y);
}

TEST_F(Presenter, FullStopInsideALineFollowsThePartsRule) {
    const DWORD inner = Episode.InnerFullStopPause ? 400u : 100u;
    EXPECT_EQ(100u + inner + 100u + 500u, PresentOne("あ。い。"));
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);  // only the last one breaks the row
    // A closing quote inside a line is an ordinary character.
    EXPECT_EQ(100u + 100u + 100u, PresentOne("」あい"));
}

TEST_F(Presenter, CommaPausesEverywhere) {
    EXPECT_EQ(100u + 400u + 100u, PresentOne("あ、い"));
    EXPECT_EQ(TextMargin, TextCursor.y);
    EXPECT_EQ(400u, PresentOne("、"));
}

TEST_F(Presenter, FullRowBreaksAfterTheCharacterThatFillsIt) {
    TextCursor.x = WrapBeyondX;  // not yet past the wrap limit
    EXPECT_EQ(100u + 100u, PresentOne("。あ"));  // row full: a break, and no inner pause
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);

    TextCursor = {WrapBeyondX, TextMargin};
    EXPECT_EQ(400u + 100u, PresentOne("、あ"));  // the comma keeps its pause on a full row
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);
}

TEST_F(Presenter, WrapsBeforeDrawingPastTheRightLimit) {
    TextCursor.x = WrapBeyondX + 1;
    PresentOne("あ");
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);
    EXPECT_LT(TextCursor.x, TextMargin + 40);
}

TEST_F(Presenter, RowBreakLineMovesToTheNextRowAndDrawsNothingVisible) {
    EXPECT_EQ(100u, PresentOne("　"));
    EXPECT_EQ(TextMargin, TextCursor.x);
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);
    EXPECT_EQ(640 * 480, CountIndex(TextLayerSurface, KeyColorIndex));
    // An indented line is text: no row break.
    PresentOne("　あ");
    EXPECT_EQ(TextMargin + RowPitch, TextCursor.y);
    EXPECT_GT(TextCursor.x, TextMargin + 30);
}

TEST_F(Presenter, TheSixteenthRowStartsANewPageAfterTwoSeconds) {
    TextCursor = {300, TextMargin + 6 * RowPitch};
    PresentOne("まえ");
    TextCursor = {TextMargin, TextMargin + 15 * RowPitch};  // past the 15 rows of a page
    EXPECT_EQ(2000u + 100u, PresentOne("あ"));
    EXPECT_EQ(TextMargin, TextCursor.y);
    // The old page is gone from the text layer; the new character is at the top left.
    const Box text = BoxOfIndex(TextLayerSurface, White);
    EXPECT_LT(text.right, TextMargin + 40);
    EXPECT_LT(text.bottom, TextMargin + 40);
}

TEST_F(Presenter, EachCharacterIsComposedOverThePictureAndFlipped) {
    const int presents = testhooks::PresentCount();
    PresentOne("あい");
    EXPECT_EQ(2, testhooks::PresentCount() - presents);
    // The front page is the picture with the text and its black shadow over it.
    EXPECT_GT(CountIndex(FrontSurface, White), 20);
    EXPECT_GT(CountIndex(FrontSurface, Black), 20);
    EXPECT_EQ(0, CountIndex(FrontSurface, KeyColorIndex));
    EXPECT_EQ(CountIndex(TextLayerSurface, White), CountIndex(FrontSurface, White));
}

TEST_F(Presenter, FastForwardDrawsOnTheVisiblePageWithoutWaiting) {
    TheDisplay.CopyOpaque(0, 0, 640, 480, FrontSurface, BackdropSurface);
    PacingEnabled = 0;
    const DWORD start = GetTickCount();
    PresentOne("あい。");
    EXPECT_EQ(start, GetTickCount());
    EXPECT_EQ(CountIndex(TextLayerSurface, White), CountIndex(FrontSurface, White));
    EXPECT_EQ(0, CountIndex(BackSurface, White));  // nothing composed
}

TEST_F(Presenter, PageBreakWhileFastForwardingWipesTheVisiblePageAtOnce) {
    TheDisplay.CopyOpaque(0, 0, 640, 480, FrontSurface, BackdropSurface);
    PacingEnabled = 0;
    TextCursor = {300, TextMargin + 6 * RowPitch};
    PresentOne("まえのぺーじ");
    const int oldPage = CountIndex(FrontSurface, White);
    TextCursor = {TextMargin, TextMargin + 15 * RowPitch};
    PresentOne("あ");
    EXPECT_LT(CountIndex(FrontSurface, White), oldPage);
    const Box front = BoxOfIndex(FrontSurface, White);
    EXPECT_LT(front.right, TextMargin + 40);
    EXPECT_LT(front.bottom, TextMargin + 40);
}

// Rows that run on across lines wrap, and their pages break by wrapping: with
// Ctrl held none of those waits, nor a colour or sound line's, may rest.
TEST_F(Presenter, FastForwardNeverRestsWhateverTheStoryShape) {
    const std::string runOn = Sjis("あいうえおかきくけこさしすせそたちつてとなにぬね");
    std::vector<std::string> lines(40, runOn);
    lines[10] = "c1";
    lines[20] = "s01";
    lines[30] = Sjis("おわり。");
    PacingEnabled = 0;
    const DWORD start = GetTickCount();
    Present(lines);
    EXPECT_EQ(start, GetTickCount());
    EXPECT_GT(TextCursor.y, TextMargin);  // pages did break on the way
}

TEST_F(Presenter, ColourLinesSwitchTheTextColourWithoutAPause) {
    EXPECT_EQ((std::vector<DWORD>{0u, 100u, 0u, 100u}),
              Present({"c1", Sjis("き"), "c0", Sjis("し")}));
    EXPECT_GT(CountIndex(TextLayerSurface, Yellow), 10);
    EXPECT_GT(CountIndex(TextLayerSurface, White), 10);
}

TEST_F(Presenter, ColourCodeAtTheEndOfATextLineAppliesAfterItsCharacters) {
    Present({Sjis("あ") + "c1"});
    EXPECT_EQ(0xFFFFu, TextColour);
    EXPECT_EQ(0, CountIndex(TextLayerSurface, Yellow));
    EXPECT_GT(CountIndex(TextLayerSurface, White), 10);
}

TEST_F(Presenter, SoundLinesPlayTheFileTheyNameAndLeaveTheCursor) {
    ScratchFolder folder;
    // Each file's frame count tells which one was played.
    const std::pair<const char*, int> files[] = {
        {"sound_01.wav", 101}, {"sound_02.wav", 102}, {"sound_A", 103}, {"sound_", 104}};
    for (const auto& file : files) {
        const waveimages::Bytes wave = waveimages::SimpleWave(1, 11025, 8, file.second);
        WriteFile(file.first, std::string(wave.begin(), wave.end()));
    }
    const auto played = [] { return testhooks::LastPlayedSound(); };
    const TextPosition before = TextCursor;
    EXPECT_EQ(0u, Present({"s01"})[0]);
    EXPECT_EQ(101u, played().frames);
    EXPECT_TRUE(played().synchronous);
    Present({"s02xyz"});
    EXPECT_EQ(102u, played().frames);
    Present({"sA"});
    EXPECT_EQ(103u, played().frames);
    Present({"s"});
    EXPECT_EQ(104u, played().frames);
    Present({"s09"});
    EXPECT_TRUE(played().defaultSound) << "a missing file plays the default sound";
    EXPECT_TRUE(played().synchronous);
    EXPECT_EQ(before.x, TextCursor.x);
    EXPECT_EQ(before.y, TextCursor.y);
    EXPECT_EQ(640 * 480, CountIndex(TextLayerSurface, KeyColorIndex));
}

TEST_F(Presenter, EmptyAndOddLinesEndAtTheirNul) {
    EXPECT_EQ(0u, Present({""})[0]);
    // Three single-byte characters: two passes, the second draws one byte alone.
    EXPECT_EQ(200u, Present({"abc"})[0]);
    EXPECT_EQ(100u, Present({"a"})[0]);
}

std::vector<uint8_t> SlotPixels(int slot) {
    const posix::IndexedPixels page = testhooks::SurfacePixels(SurfaceTable[slot]);
    return std::vector<uint8_t>(page.pixels, page.pixels + page.pitch * page.height);
}

// The display loses its memory during the fade after the last line, on a page that
// began in the middle of a line and holds colour lines, a sound cue and odd bytes:
// the activation that follows types the page again exactly, leaves the pen, the
// colour and the brightness as they were, and shows the page.
TEST_F(Presenter, AnActivationAfterALossTypesThePageAgainAndShowsIt) {
    const char* row = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ";
    const std::string longLine = Sjis(row) + Sjis(row) + Sjis(row);
    PageCharacters = 0;
    Present({longLine, longLine, longLine, longLine, longLine, "c1", Sjis("まみむ"), "s01",
             "c0", "abc", Sjis("やゆよ。")});
    ASSERT_GT(PageStart.offset, 0);
    ASSERT_EQ(4, PageStart.line);
    const std::vector<uint8_t> page = SlotPixels(TextLayerSurface);
    const TextPosition pen = TextCursor;
    TheBrightness.SetBrightness(-100);
    StoryOnScreen = 1;
    ActivationSeen = 1;
    FillSlot(TextLayerSurface, 5);
    FillSlot(BackdropSurface, 7);
    testhooks::MarkAllSurfacesLost();

    MainWindowProc(MainWindow, WM_ACTIVATEAPP, TRUE, 0);
    StoryOnScreen = 0;
    EXPECT_TRUE(SlotPixels(TextLayerSurface) == page);
    EXPECT_EQ(pen.x, TextCursor.x);
    EXPECT_EQ(pen.y, TextCursor.y);
    EXPECT_EQ(0xFFFFFFu, TextColour);
    EXPECT_EQ(WorkPalette[50].peRed, testhooks::ShownPalette()[50].peRed);
    EXPECT_GT(CountIndex(FrontSurface, Yellow), 10);
    EXPECT_EQ(CountIndex(TextLayerSurface, Yellow), CountIndex(FrontSurface, Yellow));
    EXPECT_EQ(CountIndex(TextLayerSurface, White), CountIndex(FrontSurface, White));
}

// The story checker walks the lines as the presenter does, measuring instead of
// drawing: it reckons the time the presenter takes, page pauses included.
TEST_F(Presenter, TakesTheReadingTimeTheStoryCheckerReckons) {
    std::string story = "c1\n　\n";
    for (int i = 0; i < 30; ++i) story += "あいうえお、かきくけこ。さしすせそたちつてとなにぬねの\nc0\n";
    story += "おわり」\n";
    StoryCheckOptions options;
    options.innerFullStopPause = Episode.InnerFullStopPause;
    ReaderTextMeasure measure;
    const StoryCheck check =
        CheckStory(story, options, [&](const std::string& s) { return measure.Width(s); });
    ASSERT_TRUE(check.findings.empty());
    ASSERT_GE(check.pages, 2);
    std::istringstream script(check.script);
    std::vector<std::string> lines;
    for (std::string line; script >> line;) lines.push_back(line);
    const std::vector<DWORD> times = Present(lines);
    EXPECT_EQ(check.readingMs, std::accumulate(times.begin(), times.end(), 0LL));
}

TEST_F(Presenter, BytesEqualComparesPastNulsAndStopsAtTheFirstDifference) {
    EXPECT_EQ(1, BytesEqual("c1", "c1", 3));
    EXPECT_EQ(0, BytesEqual("c1x", "c1", 3));
    EXPECT_EQ(1, BytesEqual("c1x", "c1", 2));
    EXPECT_EQ(1, BytesEqual("", "", 1));
    EXPECT_EQ(0, BytesEqual("a", "", 1));
}

}  // namespace
