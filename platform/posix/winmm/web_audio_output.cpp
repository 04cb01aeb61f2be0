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

float SampleAt(const PcmView& sound, size_t index) {
    if (sound.format.bitsPerSample == 8) return (float(sound.samples[index]) - 128.0f) / 128.0f;
    const auto value = int16_t(sound.samples[2 * index] | (sound.samples[2 * index + 1] << 8));
    return float(value) / 32768.0f;
}

// The frames as one block of samples per channel, as an AudioBuffer holds them.
std::vector<float> Planar(const PcmView& sound, size_t frames) {
    const size_t channels = size_t(sound.format.channels);
    std::vector<float> planar(frames * channels);
    for (size_t frame = 0; frame < frames; ++frame)
        for (size_t channel = 0; channel < channels; ++channel)
            planar[channel * frames + frame] = SampleAt(sound, frame * channels + channel);
    return planar;
}

bool Play(const PcmView& sound, size_t frames, bool toEnd, size_t* deviceFrames) {
    *deviceFrames = 0;
    if (frames == 0) return true;
    const std::vector<float> planar = Planar(sound, frames);
    const int played = (toEnd ? reader_play_sound : reader_start_sound)(
        planar.data(), int(frames), sound.format.channels, sound.format.sampleRate);
    if (played) *deviceFrames = frames;
    return played != 0;
}

}  // namespace

bool PlayToEnd(const PcmView& sound, size_t* deviceFrames) {
    return Play(sound, sound.FrameCount(), true, deviceFrames);
}

bool StartSound(const PcmView& sound, size_t* deviceFrames) {
    const size_t longest = kLongestStartedSeconds * size_t(sound.format.sampleRate);
    return Play(sound, std::min(sound.FrameCount(), longest), false, deviceFrames);
}

void StopSound() { reader_stop_sound(); }

void CloseAudioDevice() { reader_close_audio(); }

}  // namespace posix::winmm
