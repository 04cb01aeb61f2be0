// The first part of the story.
#include "episodes/episode_config.h"

const EpisodeConfig Episode = {
    "\x82\xDB\x82\xF1\x82\xDB\x82\xB1\x82\xE0\x82\xAD\x82\xE8\x91\x4F\x95\xD2",  // ぽんぽこもくり前編
    "mokuri0.dat",
    "mokuri0.sav",
    "\x82\xBA\x82\xF1\x82\xD8\x82\xF1",  // ぜんぺん
    "\x82\xC2\x82\xC3\x82\xAD",          // つづく
    1,
};
