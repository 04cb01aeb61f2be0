// The build-time constants by which the two programs differ. Each program links
// exactly one definition of Episode (episodes/part1.cpp or episodes/part2.cpp).
#ifndef EPISODES_EPISODE_CONFIG_H
#define EPISODES_EPISODE_CONFIG_H

struct EpisodeConfig {
    const char* WindowTitle;       // Shift-JIS; window class name and caption
    const char* ScriptFileName;    // in the current directory
    const char* BookmarkFileName;  // in the current directory
    const char* PartLabel;         // Shift-JIS; third line of the second title card
    const char* ClosingText;       // Shift-JIS; the closing card
    int InnerFullStopPause;        // 1: a full stop inside a row pauses like a comma
};

extern const EpisodeConfig Episode;

#endif
