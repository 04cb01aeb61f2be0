// Sound data as the winmm module handles it: PCM samples and their format,
// read from a RIFF/WAVE file or made by the module itself.
#ifndef PLATFORM_POSIX_WINMM_WAVE_DATA_H
#define PLATFORM_POSIX_WINMM_WAVE_DATA_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace posix::winmm {

struct PcmFormat {
    int channels = 0;        // 1 or 2
    int sampleRate = 0;      // frames per second
    int bitsPerSample = 0;   // 8 (unsigned) or 16 (signed, little-endian)

    int BytesPerFrame() const { return channels * bitsPerSample / 8; }
};

// A playable sound: whole frames only, samples points into memory the caller keeps.
struct PcmView {
    PcmFormat format;
    const uint8_t* samples = nullptr;
    size_t sampleBytes = 0;

    size_t FrameCount() const { return format.BytesPerFrame() ? sampleBytes / format.BytesPerFrame() : 0; }
};

// Reads a RIFF/WAVE image of size bytes. True when it holds PCM that can be
// played; out then points into image. Every size in the file is checked against
// size: a data chunk cut short yields the whole frames that are really there.
bool ParseWave(const uint8_t* image, size_t size, PcmView* out);

// The bytes of the file a sound is named by, looked up as Windows would for a
// bare name: relative to the current directory, letter case ignored when the
// exact name is not there. False when there is no such readable file.
bool ReadSoundFile(const std::string& name, std::vector<uint8_t>* bytes);

// The short chime played in place of a sound that cannot be found.
PcmView DefaultSound();

}  // namespace posix::winmm

#endif
