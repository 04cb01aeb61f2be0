// Where sndPlaySoundA's sounds go. The programs link their host's: linux/audio_output.cpp
// (the SDL audio device) or web/audio_output.cpp (Web Audio); tests link a recorder
// that returns at once (recorded_audio_output.cpp).
#ifndef PLATFORM_POSIX_WINMM_AUDIO_OUTPUT_H
#define PLATFORM_POSIX_WINMM_AUDIO_OUTPUT_H

#include "platform/posix/winmm/sound.h"

#include <cstddef>

namespace posix::winmm {

// Plays sound to its end, reading it as it goes: returns when it has been
// heard, the device's queue drained and its last buffer played out. Cuts off
// whatever was playing. deviceFrames receives the frames queued, in the
// device's format. False without a device, or when the device stopped or
// stalled on the way.
bool PlayToEnd(Sound& sound, size_t* deviceFrames);

// Starts sound and returns at once (its first ten minutes at most).
bool StartSound(Sound& sound, size_t* deviceFrames);

// Drops whatever is still queued.
void StopSound();

// Closes the device and forgets an earlier failure, so the next sound opens afresh.
void CloseAudioDevice();

}  // namespace posix::winmm

#endif
