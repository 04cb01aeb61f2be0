// The file calls where Windows answers otherwise than the POSIX calls under them.
#include "platform/win32.h"
#include "tests/platform/winmm/scratch_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Files, WindowsRulesForFoldersReadOnlyFilesAndLinks) {
    ScratchFolder folder;
    ScratchFolder::Write("b", {'2'});
    ASSERT_EQ(0, mkdir("folder", 0755) | symlink("b", "link") | chmod("b", 0444));
    EXPECT_FALSE(MoveFileExA("b", "link", MOVEFILE_WRITE_THROUGH));  // replaces only when asked
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA("folder", 0, 0, NULL, OPEN_EXISTING, 0, NULL));
    HANDLE file = CreateFileA("link", 0, 0, NULL, OPEN_EXISTING, 0, NULL);  // the target
    char cwd[1024], path[MAX_PATH];
    EXPECT_EQ(GetFinalPathNameByHandleA(file, path, MAX_PATH, 0) + 1,
              GetFinalPathNameByHandleA(file, path, 3, 0));  // too small: the size needed
    EXPECT_EQ(std::string(getcwd(cwd, sizeof cwd)) + "/b", path);
    EXPECT_TRUE(CloseHandle(file) && !CloseHandle(file));
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, GetFileAttributesA("b"));
    EXPECT_EQ(FILE_ATTRIBUTE_REPARSE_POINT, GetFileAttributesA("link"));
    EXPECT_FALSE(DeleteFileA("b"));
    EXPECT_TRUE(DeleteFileA("link") && GetFileAttributesA("b") != INVALID_FILE_ATTRIBUTES);
}
