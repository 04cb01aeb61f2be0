// The tests' audio output, linked in place of sdl_audio_output.cpp.
#include "platform/posix/winmm/audio_output.h"
#include "platform/posix/winmm/test_hooks.h"

namespace {

int PlayedCount = 0;
testhooks::PlayedSound LastPlayed;
bool Failing = false;

bool Record(const posix::winmm::PcmView& sound, bool synchronous, size_t* deviceFrames) {
    *deviceFrames = 0;
    if (Failing) return false;
    testhooks::PlayedSound played;
    played.channels = sound.format.channels;
    played.sampleRate = sound.format.sampleRate;
    played.bitsPerSample = sound.format.bitsPerSample;
    played.frames = sound.FrameCount();
    played.synchronous = synchronous;
    played.defaultSound = sound.samples == posix::winmm::DefaultSound().samples;
    LastPlayed = played;
    ++PlayedCount;
    *deviceFrames = played.frames;
    return true;
}

}  // namespace

namespace posix::winmm {

bool PlayToEnd(const PcmView& sound, size_t* deviceFrames) { return Record(sound, true, deviceFrames); }

bool StartSound(const PcmView& sound, size_t* deviceFrames) { return Record(sound, false, deviceFrames); }

void StopSound() {}

void CloseAudioDevice() {}

}  // namespace posix::winmm

namespace testhooks {

int PlayedSoundCount() { return PlayedCount; }

PlayedSound LastPlayedSound() { return LastPlayed; }

void ResetSound(bool failing) {
    PlayedCount = 0;
    LastPlayed = PlayedSound();
    Failing = failing;
}

}  // namespace testhooks
