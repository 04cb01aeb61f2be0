// Sounds in a browser: each one an AudioBuffer played through the page's Web
// Audio context (platform/web/library.js). The context is the page's: a browser
// lets it run only after the reader's first click or key, which the page's start
// screen asks for; without a running one every sound fails at once.
#include "platform/posix/winmm/audio_output.h"

#include <algorithm>
#include <vector>

extern "C" {
// Each plays planar float samples at their own rate; play_sound returns when the
// browser reports the sound's end.
int reader_play_sound(const float* samples, int frames, int channels, int rate);
int reader_start_sound(const float* samples, int frames, int channels, int rate);
void reader_stop_sound();
void reader_close_audio();
}

namespace posix::winmm {
namespace {

// A started sound is given no more than this much, as on the desktop.
const size_t kLongestStartedSeconds = 600;

// The sound's frames, at most limit of them, as one block of samples per
// channel, as an AudioBuffer holds them.
std::vector<float> ReadPlanar(Sound& sound, size_t limit, size_t* frames) {
    const size_t channels = size_t(sound.format.channels);
    std::vector<float> interleaved;
    const size_t piece = 1 << 14;
    *frames = 0;
    while (*frames < limit) {
        interleaved.resize((*frames + piece) * channels);
        const size_t got =
            sound.Read(interleaved.data() + *frames * channels, std::min(piece, limit - *frames));
        if (got == 0) break;
        *frames += got;
    }
    std::vector<float> planar(*frames * channels);
    for (size_t frame = 0; frame < *frames; ++frame)
        for (size_t channel = 0; channel < channels; ++channel)
            planar[channel * *frames + frame] = interleaved[frame * channels + channel];
    return planar;
}

bool Play(Sound& sound, size_t limit, bool toEnd, size_t* deviceFrames) {
    *deviceFrames = 0;
    size_t frames = 0;
    const std::vector<float> planar = ReadPlanar(sound, limit, &frames);
    if (frames == 0) return true;
    const int played = (toEnd ? reader_play_sound : reader_start_sound)(
        planar.data(), int(frames), sound.format.channels, sound.format.sampleRate);
    if (played) *deviceFrames = frames;
    return played != 0;
}

}  // namespace

bool PlayToEnd(Sound& sound, size_t* deviceFrames) {
    return Play(sound, size_t(-1), true, deviceFrames);
}

bool StartSound(Sound& sound, size_t* deviceFrames) {
    return Play(sound, kLongestStartedSeconds * size_t(sound.format.sampleRate), false,
                deviceFrames);
}

void StopSound() { reader_stop_sound(); }

void CloseAudioDevice() { reader_close_audio(); }

}  // namespace posix::winmm
