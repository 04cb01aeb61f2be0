// The one SDL audio device behind sndPlaySoundA: opened at the first sound,
// a failed open remembered, closed at exit.
#ifndef PLATFORM_POSIX_WINMM_AUDIO_OUTPUT_H
#define PLATFORM_POSIX_WINMM_AUDIO_OUTPUT_H

#include "platform/posix/winmm/wave_data.h"

namespace posix {

// True when a device is open, opening it on the first call. After a failure
// every later call returns false without trying again.
bool EnsureAudioDevice();

// Plays sound to its end: returns when it has been heard, the device's queue
// drained and its last buffer played out. Cuts off whatever was playing.
// deviceFrames receives the frames queued, in the device's format. False without
// a device, or when the device stopped or stalled on the way.
bool PlayToEnd(const PcmView& sound, size_t* deviceFrames);

// Starts sound and returns at once (its first ten minutes at most).
bool StartSound(const PcmView& sound, size_t* deviceFrames);

// Drops whatever is still queued.
void StopSound();

// Closes the device and forgets an earlier failure, so the next sound opens afresh.
void CloseAudioDevice();

// How many times opening a device was tried since the last CloseAudioDevice.
int AudioOpenAttempts();

}  // namespace posix

#endif
