// The script file: tokens, the end-of-file entry, text-mode rules and the limits.
#include "story/script.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& bytes) {
    WriteFile("script.dat", bytes);
    FreeScript();
    EXPECT_TRUE(ReadScriptFile("script.dat"));
    std::vector<std::string> lines;
    for (int i = 0; i < ScriptLineCount; ++i) lines.push_back(ScriptLines[i]);
    return lines;
}

class ScriptReader : public ::testing::Test {
protected:
    ScratchFolder folder;
    void TearDown() override { FreeScript(); }
};

TEST_F(ScriptReader, FinalLineBreakAddsAnEmptyEndOfFileEntry) {
    const std::string line = Sjis("ねこだ。");
    EXPECT_EQ((std::vector<std::string>{line, ""}), ReadLines(line + "\n"));
    EXPECT_EQ((std::vector<std::string>{line}), ReadLines(line));
}

TEST_F(ScriptReader, EmptyOrWhiteSpaceOnlyFileIsTheEndOfFileEntryAlone) {
    EXPECT_EQ((std::vector<std::string>{""}), ReadLines(""));
    EXPECT_EQ((std::vector<std::string>{""}), ReadLines(" \t\r\n\v\f\n\n"));
}

TEST_F(ScriptReader, AsciiSpaceSeparatesButFullWidthSpaceDoesNot) {
    EXPECT_EQ((std::vector<std::string>{Sjis("あい"), Sjis("うえ")}), ReadLines(Sjis("あい うえ")));
    EXPECT_EQ((std::vector<std::string>{Sjis("あい　うえ")}), ReadLines(Sjis("あい　うえ")));
}

TEST_F(ScriptReader, CrLfAndLfReadTheSame) {
    const std::string a = Sjis("いち"), b = "c1", c = "s01";
    EXPECT_EQ(ReadLines(a + "\n" + b + "\n\n" + c + "\n"), ReadLines(a + "\r\n" + b + "\r\n\r\n" + c + "\r\n"));
}

TEST_F(ScriptReader, CtrlZEndsTheReadableContent) {
    EXPECT_EQ((std::vector<std::string>{"ab"}), ReadLines("ab\x1A" "cd\nef\n"));
    // After white space the Ctrl-Z is where the file ends: the end-of-file entry.
    EXPECT_EQ((std::vector<std::string>{"ab", ""}), ReadLines("ab\n\x1A" "cd\n"));
}

TEST_F(ScriptReader, OverlongTokenKeepsWholeCharactersAndDropsTheRest) {
    // 200 double-byte characters: 400 bytes, then a second token.
    std::string longToken;
    for (int i = 0; i < 200; ++i) longToken += Sjis("あ");
    const std::vector<std::string> lines = ReadLines(longToken + "\n" + Sjis("つぎ") + "\n");
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(254u, lines[0].size());  // 127 whole characters: the 128th would not fit
    EXPECT_EQ(longToken.substr(0, 254), lines[0]);
    EXPECT_EQ(Sjis("つぎ"), lines[1]);
    EXPECT_EQ("", lines[2]);

    const std::vector<std::string> ascii = ReadLines(std::string(10000, 'x') + " y");
    ASSERT_EQ(2u, ascii.size());
    EXPECT_EQ(std::string(255, 'x'), ascii[0]);
    EXPECT_EQ("y", ascii[1]);
}

TEST_F(ScriptReader, StopsAtFiveHundredEntries) {
    std::string bytes;
    for (int i = 0; i < 600; ++i) bytes += "t" + std::to_string(i) + "\n";
    const std::vector<std::string> lines = ReadLines(bytes);
    ASSERT_EQ(500u, lines.size());
    EXPECT_EQ("t499", lines[499]);
}

TEST_F(ScriptReader, MissingFileIsReported) {
    FreeScript();
    EXPECT_FALSE(ReadScriptFile("no-such-file.dat"));
    EXPECT_EQ(0, ScriptLineCount);
}

TEST_F(ScriptReader, NulBytesInsideATokenShortenTheLineSafely) {
    const std::vector<std::string> lines = ReadLines(std::string("ab\0cd ef", 8));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("ab", lines[0]);
    EXPECT_EQ("ef", lines[1]);
}

}  // namespace
