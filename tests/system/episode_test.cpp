// Each program carries its own configuration, byte for byte.
#include "episodes/episode_config.h"

#include <gtest/gtest.h>

#include <string>

#ifndef TEST_PART
#error "TEST_PART must name the episode the tests are linked with"
#endif

namespace {

TEST(EpisodeConfiguration, CarriesExactlyItsOwnSettings) {
    if (TEST_PART == 1) {
        EXPECT_STREQ("\x82\xDB\x82\xF1\x82\xDB\x82\xB1\x82\xE0\x82\xAD\x82\xE8\x91\x4F\x95\xD2",
                     Episode.WindowTitle);
        EXPECT_STREQ("mokuri0.dat", Episode.ScriptFileName);
        EXPECT_STREQ("mokuri0.sav", Episode.BookmarkFileName);
        EXPECT_STREQ("\x82\xBA\x82\xF1\x82\xD8\x82\xF1", Episode.PartLabel);
        EXPECT_STREQ("\x82\xC2\x82\xC3\x82\xAD", Episode.ClosingText);
        EXPECT_EQ(1, Episode.InnerFullStopPause);
    } else {
        EXPECT_STREQ("\x82\xDB\x82\xF1\x82\xDB\x82\xB1\x82\xE0\x82\xAD\x82\xE8\x8C\xE3\x95\xD2",
                     Episode.WindowTitle);
        EXPECT_STREQ("mokuri.dat", Episode.ScriptFileName);
        EXPECT_STREQ("mokuri.sav", Episode.BookmarkFileName);
        EXPECT_STREQ("\x82\xB1\x82\xA4\x82\xD6\x82\xF1", Episode.PartLabel);
        EXPECT_STREQ("\x82\x73\x82\x67\x82\x64\x81\x40\x82\x64\x82\x6D\x82\x63",
                     Episode.ClosingText);
        EXPECT_EQ(0, Episode.InnerFullStopPause);
    }
}

}  // namespace
