// sndPlaySoundA: play a wave file by name, or the default sound in its place.
#include "platform/posix/internal.h"
#include "platform/posix/test_hooks_sound.h"
#include "platform/posix/winmm/audio_output.h"
#include "platform/posix/winmm/wave_data.h"

namespace {

testhooks::SoundCall lastCall;
int callCount = 0;
bool playbackInstant = false;

void RecordFormat(const posix::PcmView& sound, testhooks::SoundCall* call) {
    call->channels = sound.format.channels;
    call->sampleRate = sound.format.sampleRate;
    call->bitsPerSample = sound.format.bitsPerSample;
    call->sourceFrames = sound.FrameCount();
}

BOOL Play(const posix::PcmView& sound, bool async, testhooks::SoundCall* call) {
    if (playbackInstant) return TRUE;
    bool played = async ? posix::StartSound(sound, &call->deviceFrames)
                        : posix::PlayToEnd(sound, &call->deviceFrames);
    return played ? TRUE : FALSE;
}

BOOL PlayNamed(LPCSTR soundName, UINT flags, testhooks::SoundCall* call) {
    // A null name stops whatever is playing.
    if (soundName == nullptr) {
        posix::StopSound();
        return TRUE;
    }
    std::vector<uint8_t> bytes;
    posix::PcmView sound;
    call->fileFound = posix::ReadSoundFile(soundName, &bytes) &&
                      posix::ParseWave(bytes.data(), bytes.size(), &sound);
    if (!call->fileFound) {
        if (flags & SND_NODEFAULT) return FALSE;
        sound = posix::DefaultSound();
        call->playedDefault = true;
    }
    RecordFormat(sound, call);
    return Play(sound, (flags & SND_ASYNC) != 0, call);
}

}  // namespace

BOOL WINAPI sndPlaySoundA(LPCSTR soundName, UINT flags) {
    testhooks::SoundCall call;
    call.name = soundName ? soundName : "";
    call.flags = flags;
    call.result = PlayNamed(soundName, flags, &call);
    lastCall = call;
    ++callCount;
    posix::NoteWork();
    return call.result;
}

namespace testhooks {

SoundCall LastSoundCall() { return lastCall; }
int SoundCallCount() { return callCount; }

void ResetSoundDevice() {
    posix::CloseAudioDevice();
    lastCall = SoundCall();
    callCount = 0;
}

int SoundDeviceOpenAttempts() { return posix::AudioOpenAttempts(); }

void SetSoundPlaybackInstant(bool instant) { playbackInstant = instant; }

}  // namespace testhooks
