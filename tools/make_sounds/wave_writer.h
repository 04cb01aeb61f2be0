// Writes mono PCM wave files from samples in -1..1.
#ifndef TOOLS_MAKE_SOUNDS_WAVE_WRITER_H
#define TOOLS_MAKE_SOUNDS_WAVE_WRITER_H

#include <string>
#include <vector>

struct MonoSound {
    int sampleRate = 22050;
    std::vector<double> samples;  // -1..1
};

// bitsPerSample is 8 (unsigned, dithered) or 16 (signed). False when the file
// cannot be written.
bool WriteWave(const std::string& path, const MonoSound& sound, int bitsPerSample);

#endif
