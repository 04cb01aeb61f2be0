// The second part of the story.
#include "episodes/episode_config.h"

const EpisodeConfig Episode = {
    "\x82\xDB\x82\xF1\x82\xDB\x82\xB1\x82\xE0\x82\xAD\x82\xE8\x8C\xE3\x95\xD2",  // ぽんぽこもくり後編
    "mokuri.dat",
    "mokuri.sav",
    "\x82\xB1\x82\xA4\x82\xD6\x82\xF1",                                  // こうへん
    "\x82\x73\x82\x67\x82\x64\x81\x40\x82\x64\x82\x6D\x82\x63",          // ＴＨＥ　ＥＮＤ
    0,
};
