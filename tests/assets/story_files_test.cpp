// The sample stories: the checker passes them, the build converts them as iconv
// does, and between them they use every kind of line.
#include "tests/assets/script_reading.h"
#include "tools/story_check/script_lines.h"
#include "tools/story_check/story_check.h"
#include "tools/story_check/text_measure.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Part {
    const char* source;  // UTF-8, in data/
    const char* stem;    // the script and bookmark names in the play folder
};

void PrintTo(const Part& part, std::ostream* out) { *out << part.stem; }

const std::string kRowBreak = "\x81\x40";     // 　
const std::string kFullStop = "\x81\x42";     // 。
const std::string kComma = "\x81\x41";        // 、
const std::string kCloseQuote = "\x81\x76";   // 」

bool IsCommand(const std::string& token) {
    return token == "c0" || token == "c1" || (!token.empty() && token[0] == 's');
}

bool EndsRow(const std::string& token) {
    const std::string last = token.size() >= 2 ? token.substr(token.size() - 2) : "";
    return last == kFullStop || last == kCloseQuote;
}

class StoryScript : public ::testing::TestWithParam<Part> {
protected:
    void SetUp() override {
        source = ReadFileBytes(std::string(SOURCE_DIR) + "/data/" + GetParam().source);
        for (const ScriptLine& line : SplitIntoLines(ReadSourceText(source)).lines) {
            tokens.push_back(line.held);
            if (!IsCommand(line.held)) text.push_back(line.held);
        }
    }
    std::string source;
    std::vector<std::string> tokens;
    std::vector<std::string> text;  // the text lines, row breaks included
};

TEST_P(StoryScript, IsWhatIconvMakesOfItsSource) {
    const std::string script = ReadFileBytes(std::string(PLAY_DIR) + "/" + GetParam().stem + ".dat");
    ASSERT_FALSE(script.empty()) << "the build did not make " << GetParam().stem << ".dat";
    std::string converted;
    ASSERT_TRUE(IconvToCp932(source, &converted));
    EXPECT_EQ(converted, script);
}

TEST_P(StoryScript, PassesTheStoryCheckerOnThreePagesOrMore) {
    ReaderTextMeasure measure;
    ASSERT_TRUE(measure.Usable());
    StoryCheckOptions options;
    options.soundFolder = std::string(SOURCE_DIR) + "/data/sounds";
    options.innerFullStopPause = std::string(GetParam().source) == "part1.txt";
    const StoryCheck check =
        CheckStory(source, options, [&](const std::string& s) { return measure.Width(s); });
    for (const Finding& finding : check.findings)
        ADD_FAILURE() << finding.row << ":" << finding.column << ": " << finding.message;
    EXPECT_GE(check.pages, 3);
}

TEST_P(StoryScript, UsesEveryKindOfLine) {
    int yellow = 0, white = 0, sounds = 0, rowBreaks = 0, stopEnds = 0, quoteEnds = 0;
    int innerStops = 0, commas = 0, indents = 0, continued = 0;
    size_t longest = 0;
    for (const std::string& token : tokens) {
        yellow += token == "c1";
        white += token == "c0";
        sounds += token[0] == 's';
    }
    for (const std::string& line : text) {
        if (line == kRowBreak) {
            ++rowBreaks;
            continue;
        }
        std::vector<std::string> characters;
        ASSERT_TRUE(DoubleByteCharacters(line, &characters));
        longest = std::max(longest, characters.size());
        stopEnds += characters.back() == kFullStop;
        quoteEnds += characters.back() == kCloseQuote;
        continued += !EndsRow(line);
        indents += characters.front() == kRowBreak;
        for (size_t i = 0; i < characters.size(); ++i) {
            innerStops += characters[i] == kFullStop && i + 1 < characters.size();
            commas += characters[i] == kComma;
        }
    }
    EXPECT_GE(yellow, 1);
    EXPECT_GE(white, 1);
    EXPECT_GE(sounds, 3);
    EXPECT_GE(rowBreaks, 1);
    EXPECT_GE(stopEnds, 1);
    EXPECT_GE(quoteEnds, 1);
    EXPECT_GE(innerStops, 1);
    EXPECT_GE(commas, 1);
    EXPECT_GE(indents, 1);
    EXPECT_GE(continued, 1) << "no text line runs on into the next";
    EXPECT_GE(longest, 30u) << "no line is long enough to wrap";
}

INSTANTIATE_TEST_SUITE_P(BothParts, StoryScript,
                         ::testing::Values(Part{"part1.txt", "mokuri0"}, Part{"part2.txt", "mokuri"}),
                         [](const ::testing::TestParamInfo<Part>& info) {
                             return std::string(info.param.stem);
                         });

TEST(PlayFolder, BookmarksStartAtTheFirstLine) {
    EXPECT_EQ(ReadFileBytes(SOURCE_DIR "/data/start.sav"), "0");
    for (const char* name : {"/mokuri0.sav", "/mokuri.sav"}) {
        // The build resets each to "0"; a reader who has played since may have stored a line.
        const std::string saved = ReadFileBytes(std::string(PLAY_DIR) + name);
        ASSERT_FALSE(saved.empty()) << name;
        EXPECT_EQ(saved.find_first_not_of("-0123456789"), std::string::npos) << name << ": " << saved;
    }
}

TEST(PlayFolder, HoldsEverySoundCue) {
    namespace fs = std::filesystem;
    const fs::path sounds = fs::path(SOURCE_DIR) / "data" / "sounds";
    int copied = 0;
    if (fs::is_directory(sounds)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(sounds)) {
            if (entry.path().extension() != ".wav") continue;
            EXPECT_EQ(ReadFileBytes((fs::path(PLAY_DIR) / entry.path().filename()).string()),
                      ReadFileBytes(entry.path().string()))
                << entry.path().filename();
            ++copied;
        }
    }
    if (copied == 0) GTEST_SKIP() << "no sound cues in data/sounds yet";
}

}  // namespace
