// sndPlaySoundA: play a wave file by name, or the default sound in its place.
#include "platform/posix/idle/idle.h"
#include "platform/posix/winmm/audio_output.h"
#include "platform/posix/winmm/sound.h"

using namespace posix::winmm;

namespace {

std::unique_ptr<Sound> OpenNamed(LPCSTR soundName) {
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(soundName, &bytes)) return nullptr;
    return OpenWave(std::move(bytes));
}

BOOL PlayNamed(LPCSTR soundName, UINT flags) {
    // A null name stops whatever is playing.
    if (soundName == nullptr) {
        StopSound();
        return TRUE;
    }
    std::unique_ptr<Sound> sound = OpenNamed(soundName);
    if (sound == nullptr) {
        if (flags & SND_NODEFAULT) return FALSE;
        sound = DefaultSound();
    }
    size_t deviceFrames = 0;
    const bool played = (flags & SND_ASYNC) ? StartSound(*sound, &deviceFrames)
                                            : PlayToEnd(*sound, &deviceFrames);
    return played ? TRUE : FALSE;
}

}  // namespace

BOOL WINAPI sndPlaySoundA(LPCSTR soundName, UINT flags) {
    const BOOL result = PlayNamed(soundName, flags);
    posix::idle::NoteWork();
    return result;
}
