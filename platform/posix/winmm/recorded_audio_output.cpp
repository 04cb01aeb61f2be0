// The tests' audio output, linked in place of linux/audio_output.cpp: it reads
// each sound to its end, as the device would, and returns at once.
#include "platform/posix/winmm/audio_output.h"
#include "platform/posix/winmm/test_hooks.h"

namespace {

int PlayedCount = 0;
testhooks::PlayedSound LastPlayed;
bool Failing = false;

bool Record(posix::winmm::Sound& sound, bool synchronous, size_t* deviceFrames) {
    *deviceFrames = 0;
    if (Failing) return false;
    testhooks::PlayedSound played;
    played.channels = sound.format.channels;
    played.sampleRate = sound.format.sampleRate;
    played.synchronous = synchronous;
    played.defaultSound = sound.defaultSound;
    std::vector<float> piece(size_t(sound.format.channels) * 4096);
    for (size_t got; (got = sound.Read(piece.data(), 4096)) > 0;) {
        played.frames += got;
        played.samples.insert(played.samples.end(), piece.begin(),
                              piece.begin() + long(got) * sound.format.channels);
    }
    LastPlayed = played;
    ++PlayedCount;
    *deviceFrames = played.frames;
    return true;
}

}  // namespace

namespace posix::winmm {

bool PlayToEnd(Sound& sound, size_t* deviceFrames) { return Record(sound, true, deviceFrames); }

bool StartSound(Sound& sound, size_t* deviceFrames) { return Record(sound, false, deviceFrames); }

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
