// The command line WinMain receives on Linux.
#include "platform/posix/entry/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ArgumentsAreJoinedAndQuotedAsWindowsSplitsThem) {
    using posix::entry::CommandLineAfterProgramName;
    const char* none[] = {"part1"};
    EXPECT_EQ(CommandLineAfterProgramName(1, none), "");
    const char* plain[] = {"part1", "-x", "file.txt"};
    EXPECT_EQ(CommandLineAfterProgramName(3, plain), "-x file.txt");
    const char* awkward[] = {"part1", "two words", "", "say \"hi\"", "dir\\", "a\\\"b"};
    EXPECT_EQ(CommandLineAfterProgramName(6, awkward),
              "\"two words\" \"\" \"say \\\"hi\\\"\" dir\\ \"a\\\\\\\"b\"");
    const char* trailing[] = {"part1", "C:\\My Dir\\"};
    EXPECT_EQ(CommandLineAfterProgramName(2, trailing), "\"C:\\My Dir\\\\\"");
}

}  // namespace
