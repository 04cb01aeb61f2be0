// Finding a sound by its bare name in the current directory.
#include "platform/posix/winmm/sound.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(SoundFile, ReadsTheNamedFileWholeAndIgnoresLetterCase) {
    ScratchFolder folder;
    std::vector<uint8_t> content(70000);  // longer than one read block
    for (size_t i = 0; i < content.size(); ++i) content[i] = uint8_t(i % 251);
    ScratchFolder::Write("Sound_07.WAV", content);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(posix::winmm::ReadSoundFile("Sound_07.WAV", &bytes));
    EXPECT_EQ(bytes, content);
    bytes.clear();
    ASSERT_TRUE(posix::winmm::ReadSoundFile("sound_07.wav", &bytes)) << "Windows names ignore case";
    EXPECT_EQ(bytes, content);
}

TEST(SoundFile, PrefersTheExactNameOverOneThatDiffersInCase) {
    ScratchFolder folder;
    ScratchFolder::Write("cue.wav", {1});
    ScratchFolder::Write("CUE.wav", {2});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(posix::winmm::ReadSoundFile("CUE.wav", &bytes));
    EXPECT_EQ(bytes, std::vector<uint8_t>{2});
}

TEST(SoundFile, FindsNothingForMissingNamesFoldersAndEmptyNames) {
    ScratchFolder folder;
    ASSERT_EQ(mkdir("sound_01.wav", 0755), 0);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(posix::winmm::ReadSoundFile("sound_02.wav", &bytes));
    EXPECT_FALSE(posix::winmm::ReadSoundFile("sound_01.wav", &bytes)) << "a folder is not a sound";
    EXPECT_FALSE(posix::winmm::ReadSoundFile("", &bytes));
    // "sound_A" is what a cue line too short for two digits names.
    EXPECT_FALSE(posix::winmm::ReadSoundFile("sound_A", &bytes));
}

TEST(SoundFile, ReadsAnEmptyFileAsNoBytes) {
    ScratchFolder folder;
    ScratchFolder::Write("empty.wav", {});
    std::vector<uint8_t> bytes = {9, 9};
    ASSERT_TRUE(posix::winmm::ReadSoundFile("empty.wav", &bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(SoundFile, BackslashesSeparateFolders) {
    ScratchFolder folder;
    ASSERT_EQ(mkdir("cues", 0755), 0);
    ScratchFolder::Write("cues/a.wav", {5});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(posix::winmm::ReadSoundFile("cues\\a.wav", &bytes));
    EXPECT_EQ(bytes, std::vector<uint8_t>{5});
}

}  // namespace
