// The sample stories as the build leaves them in the play folder, in CP932.
#include "tests/assets/script_reading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

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
const std::string kOpenQuote = "\x81\x75";    // 「

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
        bytes = ReadFileBytes(std::string(PLAY_DIR) + "/" + GetParam().stem + ".dat");
        ASSERT_FALSE(bytes.empty()) << "the build did not make " << GetParam().stem << ".dat";
        tokens = ScriptTokens(bytes);
        for (const std::string& token : tokens)
            if (!IsCommand(token)) text.push_back(token);
    }
    std::string bytes;
    std::vector<std::string> tokens;
    std::vector<std::string> text;  // the text lines, row breaks included
};

TEST_P(StoryScript, IsItsUtf8SourceInCp932) {
    std::string decoded;
    ASSERT_TRUE(DecodeCp932(bytes, &decoded));
    EXPECT_EQ(decoded, ReadFileBytes(std::string(SOURCE_DIR) + "/data/" + GetParam().source));
}

TEST_P(StoryScript, FitsTheReadersTableAndBuffers) {
    EXPECT_LE(ScriptEntryCount(bytes), 500u);
    for (const std::string& token : tokens) EXPECT_LE(token.size(), 255u) << token;
    // Ctrl-Z ends a file read in text mode: nothing after it would be seen.
    EXPECT_EQ(bytes.find('\x1A'), std::string::npos);
}

TEST_P(StoryScript, EveryLineIsACueOrDoubleByteText) {
    for (const std::string& token : tokens) {
        if (token == "c0" || token == "c1") continue;
        if (token[0] == 's') {
            const std::set<std::string> cues = {"s01", "s02", "s03", "s04"};
            EXPECT_EQ(cues.count(token), 1u) << token << " names no sound we ship";
            continue;
        }
        std::vector<std::string> characters;
        EXPECT_TRUE(DoubleByteCharacters(token, &characters)) << "odd or single-byte text: " << token;
        std::string decoded;
        EXPECT_TRUE(DecodeCp932(token, &decoded)) << token;
    }
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

TEST_P(StoryScript, YellowTextTurnsWhiteAgainBeforeTheEnd) {
    bool isYellow = false;
    for (const std::string& token : tokens) {
        if (token == "c1") isYellow = true;
        if (token == "c0") isYellow = false;
    }
    EXPECT_FALSE(isYellow);
}

// Lays the text out with the reader's row and page rules, with glyph widths at
// the narrow end of the face's (punctuation 12 px, others 22 px), so the page
// count found is a lower bound.
int PagesAtLeast(const std::vector<std::string>& text) {
    int x = 10, y = 10, pages = 1;
    for (const std::string& line : text) {
        std::vector<std::string> characters;
        DoubleByteCharacters(line, &characters);
        for (size_t i = 0; i < characters.size(); ++i) {
            const std::string& c = characters[i];
            if (x > 604) x = 10, y += 31;
            if (y > 444) x = 10, y = 10, ++pages;
            const bool narrow = c == kFullStop || c == kComma || c == kCloseQuote || c == kOpenQuote;
            x += narrow ? 12 : 22;
            const bool last = i + 1 == characters.size();
            if (line == kRowBreak || (last && EndsRow(line)) || x > 614) x = 10, y += 31;
        }
    }
    return pages;
}

TEST_P(StoryScript, FillsAtLeastThreePages) { EXPECT_GE(PagesAtLeast(text), 3); }

INSTANTIATE_TEST_SUITE_P(BothParts, StoryScript,
                         ::testing::Values(Part{"part1.txt", "mokuri0"}, Part{"part2.txt", "mokuri"}),
                         [](const ::testing::TestParamInfo<Part>& info) {
                             return std::string(info.param.stem);
                         });

TEST(StoryLayoutEstimate, CountsRowsAndPagesByTheReadersRules) {
    // 15 row breaks fill one page exactly; the 16th row starts the second.
    EXPECT_EQ(PagesAtLeast(std::vector<std::string>(15, kRowBreak)), 1);
    EXPECT_EQ(PagesAtLeast(std::vector<std::string>(16, kRowBreak)), 2);
    // 28 wide characters fill the last row (x ends at 626, past 614); a 29th starts a page.
    std::string wide;
    for (int i = 0; i < 28; ++i) wide += "\x82\xA0";  // あ
    std::vector<std::string> lines(14, kRowBreak);
    lines.push_back(wide);
    EXPECT_EQ(PagesAtLeast(lines), 1);
    lines.back() += "\x82\xA0";
    EXPECT_EQ(PagesAtLeast(lines), 2);
}

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
