// Test-only: what reached the audio output. Tests link the recorder of
// recorded_audio_output.cpp in place of the SDL device: it keeps every sound
// handed to it and returns at once, so code that plays cues runs at full speed.
#ifndef PLATFORM_POSIX_WINMM_TEST_HOOKS_H
#define PLATFORM_POSIX_WINMM_TEST_HOOKS_H

#include <cstddef>
#include <vector>

namespace testhooks {

struct PlayedSound {
    int channels = 0;
    int sampleRate = 0;
    size_t frames = 0;
    std::vector<float> samples;  // every frame, interleaved
    bool synchronous = false;
    bool defaultSound = false;  // the chime played for a sound that cannot be found
};

// How many sounds were played since the last ResetSound, and the last of them.
int PlayedSoundCount();
PlayedSound LastPlayedSound();
// Forgets the sounds played; with failing, every later sound fails as without
// an audio device.
void ResetSound(bool failing = false);

}  // namespace testhooks

#endif
