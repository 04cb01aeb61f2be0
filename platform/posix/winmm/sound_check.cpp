// Whether a sound file plays, judged by the same reading and decoding that
// sndPlaySoundA does.
#include "platform/posix/winmm/sound.h"
#include "platform/posix/winmm/winmm.h"

namespace posix::winmm {

SoundFileCheck CheckSoundFile(const std::string& path) {
    SoundFileCheck check;
    std::vector<uint8_t> bytes;
    if (!ReadSoundBytes(path, &bytes, &check.why)) return check;
    std::unique_ptr<Sound> sound = OpenWave(std::move(bytes), &check.why);
    if (sound == nullptr) return check;
    // Timed by decoding it whole: compressed encodings end on whole blocks.
    std::vector<float> piece(size_t(sound->format.channels) * 4096);
    size_t frames = 0;
    for (size_t got; (got = sound->Read(piece.data(), 4096)) > 0;) frames += got;
    check.plays = true;
    check.seconds = double(frames) / sound->format.sampleRate;
    return check;
}

}  // namespace posix::winmm
