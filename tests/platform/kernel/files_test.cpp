// The file calls where Windows' answers differ from the POSIX calls under them.
#include "platform/win32.h"
#include "tests/platform/winmm/scratch_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(Files, WindowsRulesForReplacingFoldersReadOnlyFilesAndLinks) {
    ScratchFolder folder;
    ScratchFolder::Write("a", {'1'});
    ScratchFolder::Write("b", {'2'});
    ASSERT_EQ(0, mkdir("folder", 0755));
    ASSERT_EQ(0, symlink("b", "link"));
    EXPECT_FALSE(MoveFileExA("a", "b", MOVEFILE_WRITE_THROUGH));  // replaces only when asked
    EXPECT_FALSE(MoveFileExA("a", "folder", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA("folder", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL));
    HANDLE file = CreateFileA("link", 0, 0, NULL, OPEN_EXISTING, 0, NULL);
    char cwd[1024], path[MAX_PATH];
    const std::string target = std::string(getcwd(cwd, sizeof cwd)) + "/b";
    EXPECT_EQ(target.size() + 1, GetFinalPathNameByHandleA(file, path, 4, 0));  // size needed
    EXPECT_EQ(target.size(), GetFinalPathNameByHandleA(file, path, MAX_PATH, 0));
    EXPECT_EQ(target, path);
    EXPECT_FALSE(WriteFile(file, "x", 1, NULL, NULL) || FlushFileBuffers(file));  // not for writing
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    ASSERT_EQ(0, chmod("b", 0444));
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, GetFileAttributesA("b"));
    EXPECT_EQ(FILE_ATTRIBUTE_REPARSE_POINT, GetFileAttributesA("link"));
    EXPECT_FALSE(DeleteFileA("b"));
    EXPECT_TRUE(DeleteFileA("link"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("b"));
}
