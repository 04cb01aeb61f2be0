// SDL audio: a queue-fed device in a fixed format, every sound converted to it.
#include "platform/posix/winmm/audio_output.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace posix {
namespace {

const int kDeviceRate = 44100;
const int kDeviceChannels = 2;
const Uint16 kDeviceBufferFrames = 1024;
// A drain may run this much past the sound's own length before it counts as stalled.
const Uint64 kStallAllowanceMs = 2000;

enum class DeviceState { NotTried, Open, Failed };

struct AudioOutput {
    DeviceState state = DeviceState::NotTried;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec spec{};
    int openAttempts = 0;
    bool exitHandlerSet = false;
    // The sound last started: when, and how long it lasts.
    Uint64 startedAt = 0;
    Uint64 lengthMs = 0;
};

AudioOutput& Output() {
    static AudioOutput output;
    return output;
}

Uint64 FramesToMs(Uint64 frames, int rate) { return (frames * 1000 + rate - 1) / rate; }

void CloseAtExit() { CloseAudioDevice(); }

bool OpenDevice(AudioOutput& out) {
    ++out.openAttempts;
    // Audio errors come back through SDL_GetError; keep SDL's own log quiet.
    SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_LOG_PRIORITY_CRITICAL);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec desired{};
    desired.freq = kDeviceRate;
    desired.format = AUDIO_S16SYS;
    desired.channels = kDeviceChannels;
    desired.samples = kDeviceBufferFrames;
    desired.callback = nullptr;  // fed with SDL_QueueAudio
    // A fixed format: SDL converts for the hardware, sounds are converted for us.
    out.device = SDL_OpenAudioDevice(nullptr, 0, &desired, &out.spec, 0);
    if (out.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(out.device, 0);
    if (!out.exitHandlerSet) {
        std::atexit(CloseAtExit);
        out.exitHandlerSet = true;
    }
    return true;
}

SDL_AudioFormat SdlFormatOf(const PcmFormat& format) {
    return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

// Converts one piece of whole frames and appends it to converted.
bool ConvertPiece(const SDL_AudioSpec& device, const PcmFormat& format, const uint8_t* samples, size_t bytes,
                  std::vector<uint8_t>* converted) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, SdlFormatOf(format), Uint8(format.channels), format.sampleRate, device.format,
                          device.channels, device.freq) < 0)
        return false;
    std::vector<uint8_t> work(bytes * size_t(cvt.len_mult));
    std::copy(samples, samples + bytes, work.begin());
    cvt.buf = work.data();
    cvt.len = int(bytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    size_t length = cvt.needed ? size_t(cvt.len_cvt) : bytes;
    converted->insert(converted->end(), work.begin(), work.begin() + length);
    return true;
}

// The whole sound in the device's format. SDL_AudioCVT converts a buffer in one
// go; SDL 2.26's SDL_AudioStream drops the resampler's last frames on a flush.
bool Convert(const SDL_AudioSpec& device, const PcmView& sound, std::vector<uint8_t>* converted) {
    converted->clear();
    // Pieces keep SDL_AudioCVT's int lengths far from overflow on long sounds.
    const size_t frameBytes = size_t(sound.format.BytesPerFrame());
    const size_t piece = (size_t(4) << 20) / frameBytes * frameBytes;
    for (size_t done = 0; done < sound.sampleBytes; done += piece) {
        size_t length = std::min(piece, sound.sampleBytes - done);
        if (!ConvertPiece(device, sound.format, sound.samples + done, length, converted)) return false;
    }
    return true;
}

}  // namespace

bool EnsureAudioDevice() {
    AudioOutput& out = Output();
    if (out.state == DeviceState::NotTried)
        out.state = OpenDevice(out) ? DeviceState::Open : DeviceState::Failed;
    return out.state == DeviceState::Open;
}

bool StartSound(const PcmView& sound, size_t* deviceFrames) {
    *deviceFrames = 0;
    if (!EnsureAudioDevice()) return false;
    AudioOutput& out = Output();
    std::vector<uint8_t> converted;
    if (!Convert(out.spec, sound, &converted)) return false;
    SDL_ClearQueuedAudio(out.device);
    if (!converted.empty() && SDL_QueueAudio(out.device, converted.data(), Uint32(converted.size())) != 0)
        return false;
    size_t frameBytes = size_t(SDL_AUDIO_BITSIZE(out.spec.format) / 8) * out.spec.channels;
    *deviceFrames = converted.size() / frameBytes;
    out.startedAt = SDL_GetTicks64();
    out.lengthMs = FramesToMs(*deviceFrames, out.spec.freq);
    return true;
}

bool WaitForSoundEnd() {
    AudioOutput& out = Output();
    if (out.state != DeviceState::Open) return false;
    const Uint64 giveUpAt = out.startedAt + out.lengthMs + kStallAllowanceMs;
    while (SDL_GetQueuedAudioSize(out.device) > 0) {
        if (SDL_GetAudioDeviceStatus(out.device) != SDL_AUDIO_PLAYING || SDL_GetTicks64() > giveUpAt) {
            StopSound();
            return false;
        }
        SDL_Delay(2);
    }
    // The queue empties when the device takes its last buffer, which then still
    // has to play; and the sound cannot end before its own length has passed.
    Uint64 endsAt = SDL_GetTicks64() + FramesToMs(out.spec.samples, out.spec.freq);
    Uint64 lengthEnds = out.startedAt + out.lengthMs;
    if (lengthEnds > endsAt) endsAt = lengthEnds;
    for (Uint64 now = SDL_GetTicks64(); now < endsAt; now = SDL_GetTicks64())
        SDL_Delay(Uint32(endsAt - now));
    return true;
}

void StopSound() {
    AudioOutput& out = Output();
    if (out.state == DeviceState::Open) SDL_ClearQueuedAudio(out.device);
}

void CloseAudioDevice() {
    AudioOutput& out = Output();
    if (out.state == DeviceState::Open) {
        SDL_CloseAudioDevice(out.device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    out.state = DeviceState::NotTried;
    out.device = 0;
    out.openAttempts = 0;
}

int AudioOpenAttempts() { return Output().openAttempts; }

}  // namespace posix
