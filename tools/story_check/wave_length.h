// Sound cue files: found as the reader finds them, timed as it plays them.
#ifndef TOOLS_STORY_CHECK_WAVE_LENGTH_H
#define TOOLS_STORY_CHECK_WAVE_LENGTH_H

#include <string>

// The file named name in folder: the exact name, else one that differs only in
// letter case (Windows names ignore case, and the Linux layer looks so too).
bool FindCueFile(const std::string& folder, const std::string& name, std::string* path);

// The playing time in milliseconds of a RIFF/WAVE image that the reader can
// play: PCM, 8 or 16 bits, mono or stereo. False for anything else, in place
// of which the reader plays its default sound.
bool PlayableWaveLength(const std::string& image, double* ms);

#endif
