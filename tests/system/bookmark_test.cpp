// The bookmark file: what a start resumes from, and the exact bytes a save leaves.
#include "episodes/episode_config.h"
#include "story/bookmark.h"
#include "story/script.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class BookmarkFile : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override {
        Bookmark = -1;
        SetScript(std::vector<std::string>(100, "x"));
    }
    void TearDown() override { FreeScript(); }

    int ResumeFrom(const std::string& content) {
        WriteFile(Episode.BookmarkFileName, content);
        Bookmark = -1;
        LoadBookmark();
        return Bookmark;
    }
};

TEST_F(BookmarkFile, ResumesFiveLinesBeforeTheStoredLine) {
    EXPECT_EQ(7, ResumeFrom("12"));
    EXPECT_EQ(0, ResumeFrom("5"));
    EXPECT_EQ(0, ResumeFrom("3"));
    EXPECT_EQ(0, ResumeFrom("-1"));
    EXPECT_EQ(0, ResumeFrom("-2147483648"));
    EXPECT_EQ(7, ResumeFrom("12abc"));
    EXPECT_EQ(7, ResumeFrom("  \n 12\n"));
    EXPECT_EQ(94, ResumeFrom("99"));
}

TEST_F(BookmarkFile, NoNumberStartsAtTheFirstLine) {
    EXPECT_EQ(0, ResumeFrom(""));
    EXPECT_EQ(0, ResumeFrom("abc"));
    EXPECT_EQ(0, ResumeFrom("-"));
}

TEST_F(BookmarkFile, ABookmarkBeyondTheScriptStartsAgainAtTheFirstLine) {
    EXPECT_EQ(0, ResumeFrom("105"));  // 100 is ScriptLineCount
    EXPECT_EQ(99, ResumeFrom("104"));
    EXPECT_EQ(0, ResumeFrom("2147483647"));
    EXPECT_EQ(0, ResumeFrom("99999999999999999999999"));
}

TEST_F(BookmarkFile, SaveWritesTheBareNumber) {
    SaveBookmark(0);
    EXPECT_EQ("0", ReadFile(Episode.BookmarkFileName));
    SaveBookmark(345);
    EXPECT_EQ("345", ReadFile(Episode.BookmarkFileName));
    SaveBookmark(-1);
    EXPECT_EQ("-1", ReadFile(Episode.BookmarkFileName));
}

TEST_F(BookmarkFile, SaveReplacesALinksTargetWholeKeepingItsMode) {
    WriteFile("target.sav", "12");
    WriteFile("target.sav.new", "99");  // left by a kill
    ASSERT_EQ(0, chmod("target.sav", 0600) | symlink("target.sav", Episode.BookmarkFileName));
    SaveBookmark(345);
    struct stat link, target;
    ASSERT_EQ(0, lstat(Episode.BookmarkFileName, &link) | stat("target.sav", &target));
    EXPECT_TRUE(S_ISLNK(link.st_mode) && (target.st_mode & 0777) == 0600);
    EXPECT_EQ("345", ReadFile("target.sav"));
    EXPECT_FALSE(FileExists("target.sav.new"));
    // Where no new file can be made (a folder in its place stops even root): in place.
    ASSERT_EQ(0, mkdir("target.sav.new", 0755));
    SaveBookmark(7);
    EXPECT_EQ("7", ReadFile("target.sav"));
}

TEST_F(BookmarkFile, ParseClampsNumbersBeyondAnInt) {
    EXPECT_EQ(2147483647, ParseBookmark("2147483648", -1));
    EXPECT_EQ(-2147483647 - 1, ParseBookmark("-99999999999", -1));
    EXPECT_EQ(-1, ParseBookmark("x1", -1));
    EXPECT_EQ(12, ParseBookmark("+12", -1));
}

using BookmarkFileDeathTest = BookmarkFile;

TEST_F(BookmarkFileDeathTest, MissingFileEndsTheProgramWritingNothing) {
    EXPECT_EXIT(LoadBookmark(), ::testing::ExitedWithCode(1), "");
    EXPECT_FALSE(FileExists(Episode.BookmarkFileName));
}

TEST_F(BookmarkFileDeathTest, UnwritableFileEndsTheProgram) {
    // A folder in the bookmark's place cannot be opened for writing, even by root.
    ASSERT_EQ(0, mkdir(Episode.BookmarkFileName, 0755));
    EXPECT_EXIT(SaveBookmark(7), ::testing::ExitedWithCode(1), "");
    EXPECT_FALSE(FileExists(std::string(Episode.BookmarkFileName) + ".new"));
    rmdir(Episode.BookmarkFileName);
}

}  // namespace
