// Sounds as the winmm module handles them: decoded from a wave file or made by
// the module itself, read from their start to their end a piece at a time, as
// 32-bit float samples in one or two channels.
#ifndef PLATFORM_POSIX_WINMM_SOUND_H
#define PLATFORM_POSIX_WINMM_SOUND_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace posix::winmm {

struct SoundFormat {
    int channels = 0;    // 1 or 2; more in the file are folded down to 2
    int sampleRate = 0;  // frames per second
};

class Sound {
public:
    virtual ~Sound() = default;
    // Reads up to frames frames of interleaved samples (nominally -1 to 1) into
    // out; how many it read, 0 at the end.
    virtual size_t Read(float* out, size_t frames) = 0;

    SoundFormat format;
    bool defaultSound = false;  // the chime played in place of one that cannot be
};

// Decodes a wave file's bytes: every encoding that Windows' standard codecs play
// (PCM of 8, 16, 24 and 32 bits, 32-bit float, A-law, u-law, IMA and Microsoft
// ADPCM, GSM 6.10, MPEG layer 3; plain or WAVE_FORMAT_EXTENSIBLE), 1 to 8 channels.
// Null, with why it will not play when why is given, for anything else.
std::unique_ptr<Sound> OpenWave(std::vector<uint8_t> bytes, std::string* why = nullptr);

// The short chime played in place of a sound that cannot be found.
std::unique_ptr<Sound> DefaultSound();

// The bytes of the file a sound is named by, looked up as Windows would for a
// bare name: relative to the current directory, letter case ignored when the
// exact name is not there. False when there is no such readable file.
bool ReadSoundFile(const std::string& name, std::vector<uint8_t>* bytes);

// Where the current directory holds only what was there at the start (a web
// page's folder of files on its server), fetches the file a sound is named by
// into it the first time it is asked for: its path, or false when there is
// none. Elsewhere false at once.
bool FetchSoundFile(const std::string& name, std::string* path);

// The bytes of the file at path; false, with why when given, when it cannot be read.
bool ReadSoundBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* why = nullptr);

}  // namespace posix::winmm

#endif
