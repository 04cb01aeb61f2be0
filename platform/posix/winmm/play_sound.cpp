// sndPlaySoundA: play a wave file by name, or the default sound in its place.
#include "platform/posix/idle/idle.h"
#include "platform/posix/winmm/audio_output.h"
#include "platform/posix/winmm/wave_data.h"

using namespace posix::winmm;

namespace {

BOOL PlayNamed(LPCSTR soundName, UINT flags) {
    // A null name stops whatever is playing.
    if (soundName == nullptr) {
        StopSound();
        return TRUE;
    }
    std::vector<uint8_t> bytes;
    PcmView sound;
    const bool found =
        ReadSoundFile(soundName, &bytes) && ParseWave(bytes.data(), bytes.size(), &sound);
    if (!found) {
        if (flags & SND_NODEFAULT) return FALSE;
        sound = DefaultSound();
    }
    size_t deviceFrames = 0;
    const bool played = (flags & SND_ASYNC) ? StartSound(sound, &deviceFrames)
                                            : PlayToEnd(sound, &deviceFrames);
    return played ? TRUE : FALSE;
}

}  // namespace

BOOL WINAPI sndPlaySoundA(LPCSTR soundName, UINT flags) {
    const BOOL result = PlayNamed(soundName, flags);
    posix::idle::NoteWork();
    return result;
}
