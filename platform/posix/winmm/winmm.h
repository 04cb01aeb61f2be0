// What tools on the build machine use of the winmm module: how sndPlaySoundA
// finds a sound file and whether it would play it, so that a check of a story's
// cues gives the reader's own answer.
#ifndef PLATFORM_POSIX_WINMM_WINMM_H
#define PLATFORM_POSIX_WINMM_WINMM_H

#include <string>

namespace posix::winmm {

// The file that a bare name such as "sound_01.wav" names in folder, as Windows
// finds it: the exact name, else one that differs only in letter case (a name
// with a folder part, or a backslash for one, is looked for as it stands).
bool FindSoundFile(const std::string& folder, const std::string& name, std::string* path);

struct SoundFileCheck {
    bool plays = false;
    double seconds = 0;  // its playing time, when it plays
    std::string why;     // why not, when it does not: "it is not a RIFF/WAVE file"
};

// Reads and decodes the sound file at path to its end, as sndPlaySoundA would.
SoundFileCheck CheckSoundFile(const std::string& path);

}  // namespace posix::winmm

#endif
