// The one SDL audio device behind sndPlaySoundA: opened at the first sound,
// a failed open remembered, closed at exit.
#ifndef PLATFORM_POSIX_WINMM_AUDIO_OUTPUT_H
#define PLATFORM_POSIX_WINMM_AUDIO_OUTPUT_H

#include "platform/posix/winmm/wave_data.h"

namespace posix {

// True when a device is open, opening it on the first call. After a failure
// every later call returns false without trying again.
bool EnsureAudioDevice();

// Converts sound to the device's format and starts it, cutting off whatever was
// still playing. deviceFrames receives the frames queued. False without a device
// or when the conversion fails.
bool StartSound(const PcmView& sound, size_t* deviceFrames);

// Returns when the sound last started has been heard to its end: the device's
// queue has drained and the device's last buffer has played out. False when the
// device stopped or stalled on the way (the rest is then dropped).
bool WaitForSoundEnd();

// Drops whatever is still queued.
void StopSound();

// Closes the device and forgets an earlier failure, so the next sound opens afresh.
void CloseAudioDevice();

// How many times opening a device was tried since the last CloseAudioDevice.
int AudioOpenAttempts();

}  // namespace posix

#endif
