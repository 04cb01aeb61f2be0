// Script and bookmark files that open but cannot be read, next to ones that can.
#include "episodes/episode_config.h"
#include "story/bookmark.h"
#include "story/script.h"
#include "tests/system/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

class ScriptRead : public ::testing::Test {
protected:
    ScratchFolder folder;
    void TearDown() override { FreeScript(); }
};

TEST_F(ScriptRead, AFolderInTheScriptsPlaceIsNotAScript) {
    ASSERT_EQ(0, mkdir("script.dat", 0755));
    EXPECT_FALSE(ReadScriptFile("script.dat"));
    EXPECT_EQ(0, ScriptLineCount);
}

TEST_F(ScriptRead, TheFirstByteLookedAtIsStillRead) {
    // Empty: the end-of-file entry alone; one byte: that byte as the only line.
    WriteFile("empty.dat", "");
    ASSERT_TRUE(ReadScriptFile("empty.dat"));
    EXPECT_EQ(1, ScriptLineCount);
    EXPECT_STREQ("", ScriptLines[0]);
    FreeScript();
    WriteFile("one.dat", "x");
    ASSERT_TRUE(ReadScriptFile("one.dat"));
    ASSERT_EQ(1, ScriptLineCount);
    EXPECT_STREQ("x", ScriptLines[0]);
}

TEST(UnreadableBookmarkDeathTest, AFolderInTheBookmarksPlaceEndsBeforeTheStory) {
    ScratchFolder folder;
    ASSERT_EQ(0, mkdir(Episode.BookmarkFileName, 0755));
    // Read as "no number" it would start the story at line 0; it must end instead.
    EXPECT_EXIT({ Bookmark = -1; LoadBookmark(); std::exit(Bookmark == 0 ? 2 : 3); },
                ::testing::ExitedWithCode(1), "");
}

}  // namespace
