// The story checker's figures against the real presenter: each story is
// converted by the checker, read by the reader's own script reader and
// presented line by line on the test clock, in the part the tests are linked
// with. Page breaks, the pen's end, every pause and every cue's length agree.
#include "episodes/episode_config.h"
#include "platform/posix/test_hooks.h"
#include "shell/pacing.h"
#include "story/line_presenter.h"
#include "story/script.h"
#include "test_support.h"
#include "tools/story_check/story_check.h"
#include "tools/story_check/text_measure.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct ReaderRun {
    int pages = 0;
    long long pauseMs = 0;
    double cueMs = 0;
    TextPosition end = {0, 0};
};

// Presents every line of the script file as the story driver would.
ReaderRun PresentScriptFile(const std::string& name) {
    ReaderRun run;
    FreeScript();
    EXPECT_TRUE(ReadScriptFile(name.c_str()));
    const DWORD start = GetTickCount();
    for (int index = 0; index < ScriptLineCount; ++index) {
        const int y = TextCursor.y;
        const int sounds = testhooks::PlayedSoundCount();
        PresentLine(index);
        // A line is at most five rows, so it breaks a page at most once.
        if (TextCursor.y < y) ++run.pages;
        const testhooks::PlayedSound cue = testhooks::LastPlayedSound();
        if (testhooks::PlayedSoundCount() > sounds && !cue.defaultSound)
            run.cueMs += 1000.0 * cue.frames / cue.sampleRate;
    }
    run.pauseMs = GetTickCount() - start;
    run.end = TextCursor;
    return run;
}

class CheckerAgainstPresenter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartStoryOnTestClock());
        namespace fs = std::filesystem;
        for (const fs::directory_entry& cue : fs::directory_iterator(STORY_DIR "/sounds"))
            fs::copy_file(cue.path(), fs::path(folder.path()) / cue.path().filename());
    }
    void TearDown() override {
        StopStory();
    }

    void ExpectSameFigures(const std::string& utf8) {
        ReaderTextMeasure measure;
        ASSERT_TRUE(measure.Usable());
        const TextWidth width = [&](const std::string& text) { return measure.Width(text); };
        StoryCheckOptions options;
        options.soundFolder = folder.path();
        options.innerFullStopPause = Episode.InnerFullStopPause != 0;
        const StoryCheck check = CheckStory(utf8, options, width);
        ASSERT_TRUE(check.scriptMade);
        WriteFile("story.dat", check.script);
        const ReaderRun reader = PresentScriptFile("story.dat");

        std::vector<std::string> lines;
        for (int i = 0; i < ScriptLineCount; ++i) lines.push_back(ScriptLines[i]);
        const StoryWalk walk = WalkStory(lines, width, options.innerFullStopPause);
        EXPECT_EQ(reader.pages + 1, walk.pages);
        EXPECT_EQ(reader.pauseMs, walk.pauseMs);
        EXPECT_EQ(reader.end.x, walk.endX);
        EXPECT_EQ(reader.end.y, walk.endY);
        EXPECT_EQ(reader.pages + 1, check.pages);
        EXPECT_NEAR(reader.pauseMs + reader.cueMs, check.readingMs, 1.0);
    }

    ScratchFolder folder;
};

TEST_F(CheckerAgainstPresenter, TheSampleStoryOfThisPart) {
    ExpectSameFigures(ReadFile(TEST_PART == 1 ? STORY_DIR "/part1.txt" : STORY_DIR "/part2.txt"));
}

// Half-width text out of step, lines of odd length, a colour code ending a
// text line, full stops and commas where the row is full, a long line.
TEST_F(CheckerAgainstPresenter, LinesTheCheckerReports) {
    std::string story = "　a。あいう\nあいうab\nAあいう、。Bc1\nｶﾞｯｺｳ。\ns01x\nc0\n";
    for (int i = 0; i < 12; ++i)
        story += "　なが、い、ぎょう。の、、まんなか。。で、「おわる」ぎょう\n";
    story += "。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。。\n";
    story += "おわり";
    ExpectSameFigures(story);
}

}  // namespace
