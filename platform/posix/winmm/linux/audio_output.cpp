// SDL audio: a queue-fed device in a fixed format, every sound converted to it.
#include "platform/posix/winmm/audio_output.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace posix::winmm {
namespace {

const int kDeviceRate = 44100;
const int kDeviceChannels = 2;
// What the device's thread takes from the queue and sends at a time. SDL's
// PulseAudio backend asks the server for a stream latency of one such buffer
// (93 ms), which is all that a late thread has in hand: at 1,024 and 2,048 frames
// an idle virtual machine still put a few milliseconds of silence into up to two
// cues in thirty. A cue is heard 0.06 to 0.15 s after it is queued.
const Uint16 kDeviceBufferFrames = 4096;
// A drain may run this much past the sound's own length before it counts as stalled.
const Uint64 kStallAllowanceMs = 2000;
// A synchronous sound is converted and queued this many seconds at a time.
const int kFeedPieceSeconds = 4;
// An asynchronous sound is queued whole, but no more than this much of it.
const int kLongestStartedSeconds = 600;

enum class DeviceState { NotTried, Open, Failed };

struct AudioOutput {
    DeviceState state = DeviceState::NotTried;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec deviceFormat{};
    bool exitHandlerSet = false;
    // The sound last started: when, and how many frames of it were queued.
    Uint64 startedAt = 0;
    size_t queuedFrames = 0;
};

AudioOutput& Output() {
    static AudioOutput output;
    return output;
}

Uint64 FramesToMs(Uint64 frames, int rate) { return (frames * 1000 + rate - 1) / rate; }

void CloseAtExit() { CloseAudioDevice(); }

extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA reports each failed probe of a missing card on stderr through its error
// handler, so a machine without sound would print a screenful at the first cue.
// The failure still reaches us through SDL. SDL may load ALSA at run time, so the
// handler is set through the same library, found the same way; it stays loaded.
void SilenceAlsaErrors() {
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return;
    auto setHandler = reinterpret_cast<int (*)(ErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(IgnoreAlsaError);
}

bool OpenDevice(AudioOutput& out) {
    // Audio errors come back through SDL_GetError; keep SDL's own log quiet.
    SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_LOG_PRIORITY_CRITICAL);
    SilenceAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec desired{};
    desired.freq = kDeviceRate;
    desired.format = AUDIO_S16SYS;
    desired.channels = kDeviceChannels;
    desired.samples = kDeviceBufferFrames;
    desired.callback = nullptr;  // fed with SDL_QueueAudio
    // A fixed format: SDL converts for the hardware, sounds are converted for us.
    out.device = SDL_OpenAudioDevice(nullptr, 0, &desired, &out.deviceFormat, 0);
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

// Converts frames frames of sound's samples and appends them to converted.
bool ConvertPiece(const SDL_AudioSpec& device, const SoundFormat& format, const float* samples, size_t frames,
                  std::vector<uint8_t>* converted) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_F32SYS, Uint8(format.channels), format.sampleRate, device.format,
                          device.channels, device.freq) < 0)
        return false;
    const size_t bytes = frames * size_t(format.channels) * sizeof(float);
    std::vector<uint8_t> work(bytes * size_t(cvt.len_mult));
    std::memcpy(work.data(), samples, bytes);
    cvt.buf = work.data();
    cvt.len = int(bytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    size_t length = cvt.needed ? size_t(cvt.len_cvt) : bytes;
    converted->insert(converted->end(), work.begin(), work.begin() + long(length));
    return true;
}

// Reads up to frames frames of sound and converts them, in pieces that keep
// SDL_AudioCVT's int lengths far from overflow. False when a conversion fails.
bool ReadConverted(const SDL_AudioSpec& device, Sound& sound, size_t frames, std::vector<uint8_t>* converted,
                   size_t* framesRead) {
    const size_t channels = size_t(sound.format.channels);
    const size_t piece = std::min<size_t>(frames, (size_t(4) << 20) / (channels * sizeof(float)));
    std::vector<float> samples(piece * channels);
    converted->clear();
    *framesRead = 0;
    while (*framesRead < frames) {
        const size_t got = sound.Read(samples.data(), std::min(piece, frames - *framesRead));
        if (got == 0) break;
        if (!ConvertPiece(device, sound.format, samples.data(), got, converted)) return false;
        *framesRead += got;
    }
    return true;
}

size_t DeviceFrameBytes(const SDL_AudioSpec& deviceFormat) { return size_t(SDL_AUDIO_BITSIZE(deviceFormat.format) / 8) * deviceFormat.channels; }

// A new sound cuts off the one before it.
void BeginSound(AudioOutput& out) {
    SDL_ClearQueuedAudio(out.device);
    out.startedAt = SDL_GetTicks64();
    out.queuedFrames = 0;
}

bool Queue(AudioOutput& out, const std::vector<uint8_t>& converted) {
    if (converted.empty()) return true;
    if (SDL_QueueAudio(out.device, converted.data(), Uint32(converted.size())) != 0) return false;
    out.queuedFrames += converted.size() / DeviceFrameBytes(out.deviceFormat);
    return true;
}

Uint64 SoundEndsAt(const AudioOutput& out) { return out.startedAt + FramesToMs(out.queuedFrames, out.deviceFormat.freq); }

// Waits until at most bytesLeft are queued. False when the device stopped or
// stalled on the way; the rest is then dropped.
bool DrainTo(AudioOutput& out, Uint32 bytesLeft) {
    const Uint64 giveUpAt = SoundEndsAt(out) + kStallAllowanceMs;
    while (SDL_GetQueuedAudioSize(out.device) > bytesLeft) {
        if (SDL_GetAudioDeviceStatus(out.device) != SDL_AUDIO_PLAYING || SDL_GetTicks64() > giveUpAt) {
            SDL_ClearQueuedAudio(out.device);
            return false;
        }
        SDL_Delay(2);
    }
    return true;
}

bool WaitForSoundEnd(AudioOutput& out) {
    if (!DrainTo(out, 0)) return false;
    // The queue empties when the device's thread takes the buffer that holds the
    // sound's end. Measured on PulseAudio at 1,024 to 4,096 frames, a buffer's
    // first frame is heard about three fifths of a buffer after it is taken; the
    // sound's part of it plays from there. And the sound cannot end before its own
    // length has passed.
    const size_t buffer = out.deviceFormat.samples;
    const size_t lastPart = out.queuedFrames == 0 ? 0 : (out.queuedFrames - 1) % buffer + 1;
    Uint64 endsAt = SDL_GetTicks64() + FramesToMs(buffer * 3 / 5 + lastPart, out.deviceFormat.freq);
    endsAt = std::max(endsAt, SoundEndsAt(out));
    for (Uint64 now = SDL_GetTicks64(); now < endsAt; now = SDL_GetTicks64()) SDL_Delay(Uint32(endsAt - now));
    return true;
}

bool EnsureAudioDevice() {
    AudioOutput& out = Output();
    if (out.state == DeviceState::NotTried)
        out.state = OpenDevice(out) ? DeviceState::Open : DeviceState::Failed;
    return out.state == DeviceState::Open;
}

}  // namespace

bool PlayToEnd(Sound& sound, size_t* deviceFrames) {
    *deviceFrames = 0;
    if (!EnsureAudioDevice()) return false;
    AudioOutput& out = Output();
    BeginSound(out);
    // Read and fed a few seconds at a time, so a long file never sits decoded in memory whole.
    const size_t piece = size_t(kFeedPieceSeconds) * size_t(sound.format.sampleRate);
    const Uint32 refillBelow = Uint32(size_t(kFeedPieceSeconds) * out.deviceFormat.freq * DeviceFrameBytes(out.deviceFormat) / 2);
    std::vector<uint8_t> converted;
    for (size_t read = piece; read == piece;) {
        if (!ReadConverted(out.deviceFormat, sound, piece, &converted, &read) || !Queue(out, converted)) {
            StopSound();
            return false;
        }
        *deviceFrames = out.queuedFrames;
        if (read == piece && !DrainTo(out, refillBelow)) return false;
    }
    return WaitForSoundEnd(out);
}

bool StartSound(Sound& sound, size_t* deviceFrames) {
    *deviceFrames = 0;
    if (!EnsureAudioDevice()) return false;
    AudioOutput& out = Output();
    BeginSound(out);
    // Nothing feeds the queue later: queue it all, up to a bound on memory.
    const size_t longest = size_t(kLongestStartedSeconds) * size_t(sound.format.sampleRate);
    std::vector<uint8_t> converted;
    size_t read = 0;
    if (!ReadConverted(out.deviceFormat, sound, longest, &converted, &read) || !Queue(out, converted)) return false;
    *deviceFrames = out.queuedFrames;
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
}

}  // namespace posix::winmm
