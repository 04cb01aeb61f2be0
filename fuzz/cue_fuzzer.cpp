// A sound cue's wave file, played as the presenter plays it: sndPlaySoundA
// finds the file, decodes it to its end through libsndfile (the recorded audio
// output reads every frame), or plays the default sound. Either way it returns
// TRUE, synchronously, with one or two channels at a rate a device takes.
#include "fuzz/fuzz_support.h"
#include "platform/posix/winmm/test_hooks.h"
#include "platform/win32.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartHeadlessReader();
    WriteScratchFile("sound_01.wav", data, size);
    testhooks::ResetSound();
    if (sndPlaySoundA("sound_01.wav", 0) != TRUE) std::abort();
    const testhooks::PlayedSound played = testhooks::LastPlayedSound();
    if (testhooks::PlayedSoundCount() != 1 || !played.synchronous) std::abort();
    if (played.channels < 1 || played.channels > 2) std::abort();
    if (played.sampleRate < 1000 || played.sampleRate > 384000) std::abort();
    if (played.samples.size() != played.frames * size_t(played.channels)) std::abort();
    return 0;
}
