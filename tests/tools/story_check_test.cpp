// The story checker's findings: each fault an author can make, at its row and
// column (counted in characters), with what it says.
#include "tools/story_check/story_check.h"
#include "tools/story_check/text_measure.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

struct Expected {
    int row, column;
    const char* says;
};

class StoryChecker : public ::testing::Test {
protected:
    void SetUp() override {
        sounds = fs::temp_directory_path() / ("story-check-" + std::to_string(getpid()));
        fs::create_directories(sounds);
        fs::copy_file(STORY_DIR "/sounds/sound_01.wav", sounds / "SOUND_01.WAV");
        std::ofstream(sounds / "sound_02.wav") << "RIFF....WAVEnot a sound";
        WriteTone(sounds / "sound_03.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24);  // plays
        WriteTone(sounds / "sound_04.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE);
        ASSERT_TRUE(measure.Usable());
    }
    void TearDown() override { fs::remove_all(sounds); }

    // Half a second of silence, in a wave file's encoding.
    static void WriteTone(const fs::path& path, int format) {
        SF_INFO info{0, 22050, 1, format, 0, 0};
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        const std::vector<float> silence(11025, 0.0f);
        sf_writef_float(file, silence.data(), sf_count_t(silence.size()));
        sf_close(file);
    }

    StoryCheck Check(const std::string& story) {
        StoryCheckOptions options;
        options.soundFolder = sounds.string();
        return CheckStory(story, options, [&](const std::string& s) { return measure.Width(s); });
    }

    static void ExpectFindings(const StoryCheck& check, const std::vector<Expected>& expected) {
        ASSERT_EQ(expected.size(), check.findings.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const Finding& found = check.findings[i];
            EXPECT_EQ(expected[i].row, found.row) << found.message;
            EXPECT_EQ(expected[i].column, found.column) << found.message;
            EXPECT_NE(found.message.find(expected[i].says), std::string::npos)
                << found.message << "\n  does not say: " << expected[i].says;
        }
    }

    fs::path sounds;
    ReaderTextMeasure measure;
};

TEST_F(StoryChecker, ReportsEachFaultWhereItIs) {
    const StoryCheck check = Check(
        "　ABCの森で、1ぴき。\n"
        "　ｶﾞｯｺｳ。\n"
        "　ねだん100¥\n"
        "　ふたつの\tことば。\n"
        "  あたま\n"
        "c2\n"
        "s1\n"
        "s01\n"
        "s05\n"
        "s02\n"
        "s01ぽん\n"
        "sもくり\n"
        "\n"
        "　あい。c1\n"
        "s03\n"
        "s04\n");
    ExpectFindings(check, {
        {1, 2, "half-width 'ABC' puts the rest of the line out of step"},
        {1, 9, "half-width '1' in a text line: the reader takes it two bytes at a time; "
               "write the full-width '１'"},
        {2, 2, "'ｶﾞｯｺｳ' puts the rest of the line out of step: the reader takes two bytes at "
               "a time, so every later character is garbled; write the full-width 'ガッコウ'"},
        {3, 5, "half-width '100¥' in a text line: the reader takes it two bytes at a time; "
               "write the full-width '１００￥'"},
        {4, 6, "a tab splits the row into two script lines"},
        {5, 1, "a space at the start of a row is not shown"},
        {6, 1, "'c2' is not a colour line"},
        {7, 1, "'s1' is too short for a sound line: the reader looks for 'sound_1'"},
        {9, 1, "/sound_05.wav: the reader plays its default sound instead"},
        {10, 1, "/sound_02.wav will not play: it is a broken wave file"},
        {11, 1, "the reader plays sound_01.wav and does not show 'ぽん'"},
        {12, 1, "none of 'sもくり' is shown"},
        {13, 1, "a blank row is nothing to the reader"},
        {14, 5, "the line ends in 'c1': the reader does not show it but turns the text after "
                "it yellow"},
        {14, 5, "the story ends in yellow"},
        {16, 1, "/sound_04.wav will not play: its encoding, 64 bit float, is not one that "
                "Windows plays; the reader plays its default sound instead"},
    });
    // Every character converts: the script is there to try out.
    EXPECT_TRUE(check.scriptMade);
    EXPECT_EQ(16, check.lines);
    // The 24-bit cue plays, and the reading time counts it at its length.
    EXPECT_EQ(500, Check("s03\n").readingMs);
}

TEST_F(StoryChecker, ReportsTheReadersLimits) {
    // 150 characters are 300 bytes: the reader holds 127 of them.
    ExpectFindings(Check("　" + Repeat("あ", 149) + "\n"),
                   {{1, 128, "the line is 300 bytes in CP932, more than the 255"}});
    ExpectFindings(Check(Repeat("　\n", 503)),
                   {{501, 1,
                     "the reader reads 500 lines and stops: neither this line nor the "
                     "2 after it are shown"}});
    ExpectFindings(Check("あ。\n\x1A\nい。\n"),
                   {{2, 1, "Ctrl-Z (U+001A) ends the script for the reader"}});
    EXPECT_TRUE(Check("あ。\n\x1A\n").findings.empty());
    ExpectFindings(Check(" \n\n"), {{1, 1, "the story has no lines"}});
}

TEST_F(StoryChecker, MakesNoScriptOfWhatCp932CannotHold) {
    const StoryCheck check = Check("\xEF\xBB\xBF　あ\xFF\xFEい。\n　😀。\n");
    ExpectFindings(check, {
                              {1, 1, "a byte-order mark (U+FEFF) cannot be written in CP932"},
                              {1, 4, "bytes 0xFF 0xFE are not UTF-8"},
                              {2, 2, "'😀' (U+1F600) cannot be written in CP932"},
                          });
    EXPECT_FALSE(check.scriptMade);
    EXPECT_TRUE(check.script.empty());
}

}  // namespace
