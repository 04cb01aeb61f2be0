// Test-only: what sndPlaySoundA did with its last sound, and its audio device.
#ifndef PLATFORM_POSIX_TEST_HOOKS_SOUND_H
#define PLATFORM_POSIX_TEST_HOOKS_SOUND_H

#include "platform/win32.h"

#include <cstddef>
#include <string>

namespace testhooks {

struct SoundCall {
    std::string name;          // as passed ("" for a null name)
    UINT flags = 0;
    bool fileFound = false;    // the file was there and held a playable wave
    bool playedDefault = false;
    int channels = 0;          // the format of what was played (the file's or the default's)
    int sampleRate = 0;
    int bitsPerSample = 0;
    size_t sourceFrames = 0;   // frames of the sound itself
    size_t deviceFrames = 0;   // frames queued to the device after conversion
    BOOL result = FALSE;
};

// The last call of sndPlaySoundA, and how many calls were made in all.
SoundCall LastSoundCall();
int SoundCallCount();

// Closes the audio device and forgets a failed open, so the next call opens it
// again (for instance under another SDL_AUDIODRIVER). Also zeroes the counts.
void ResetSoundDevice();
// How many times a device open was tried since the last reset.
int SoundDeviceOpenAttempts();

// With instant on, a sound is found, read and recorded as usual but not sent to
// the device, and sndPlaySoundA returns TRUE at once: for tests of code that
// plays cues, where real-time sound would only slow the test.
void SetSoundPlaybackInstant(bool instant);

}  // namespace testhooks

#endif
