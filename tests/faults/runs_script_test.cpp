// Whole runs of the reader over broken script files: each ends with exit code 1,
// never reads outside a line (the sanitizer build checks), and leaves the bookmark
// marked finished, or untouched when there was no story to read.
#include "episodes/episode_config.h"
#include "reader_run.h"
#include "tests/system/test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

namespace {

using ::testing::ExitedWithCode;

class ScriptFaults : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override { WriteFile(Episode.BookmarkFileName, UntouchedBookmark); }

    // Runs the program over the script bytes; the bookmark file it leaves.
    std::string RunOver(const std::string& script) {
        WriteFile(Episode.ScriptFileName, script);
        EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
        return ReadFile(Episode.BookmarkFileName);
    }
};

TEST_F(ScriptFaults, AMissingOrUnreadableScriptEndsBeforeTheStory) {
    EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
    EXPECT_EQ(UntouchedBookmark, ReadFile(Episode.BookmarkFileName));
    // A folder in the file's place opens but cannot be read: the same as no file.
    ASSERT_EQ(0, mkdir(Episode.ScriptFileName, 0755));
    EXPECT_EXIT(RunWholeProgram(), ExitedWithCode(1), "");
    EXPECT_EQ(UntouchedBookmark, ReadFile(Episode.BookmarkFileName));
}

TEST_F(ScriptFaults, EmptyAndBlankScriptsRunToTheEnd) {
    EXPECT_EQ("0", RunOver(""));
    EXPECT_EQ("0", RunOver(" \t\r\n\v\f  \r\n"));
}

TEST_F(ScriptFaults, ControlBytesInsideTheText) {
    EXPECT_EQ("0", RunOver(std::string("\x82\xa0\0\0\x82\xa2 c1\0 s\0", 13)));
    EXPECT_EQ("0", RunOver(Sjis("あい\x1a う") + " more after the end"));
    EXPECT_EQ("0", RunOver("\x1a"));
}

TEST_F(ScriptFaults, BinaryGarbage) {
    std::mt19937 random(20261208);
    std::string bytes(6000, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    EXPECT_EQ("0", RunOver(bytes));
}

TEST_F(ScriptFaults, OddLengthsSoundLinesAndBrokenShiftJis) {
    EXPECT_EQ("0", RunOver(Sjis("あa b 。x 、y 」z") + " s s1 s\x82 c c1x c0"));
    // Lead bytes with no trail, trail bytes alone, bytes no character uses.
    EXPECT_EQ("0", RunOver("\x81 \x82\x82\x82 \xff\xfe\xfd \x80\xa0 \xfc\x40\xfc"));
}

TEST_F(ScriptFaults, OversizedScripts) {
    // A 10,000-byte token, then more tokens than the script holds.
    std::string longToken;
    for (int i = 0; i < 5000; ++i) longToken += Sjis("あ");
    EXPECT_EQ("0", RunOver(longToken + " c1 " + RepeatedTokens("x", 600)));
    std::string lead(9999, 'y');
    EXPECT_EQ("0", RunOver(std::string(10000, 'z') + " " + lead + "\x82 " + Sjis("い。")));
}

TEST_F(ScriptFaults, TenMegabytesAreReadOnlyAsFarAsTheScriptHolds) {
    std::string script = RepeatedTokens(Sjis("あい"), 600);
    script += std::string(10 << 20, 'w');
    EXPECT_EQ("0", RunOver(script));
}

}  // namespace
