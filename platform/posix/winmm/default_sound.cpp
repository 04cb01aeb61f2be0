// The sound played when the named one cannot be found: a short soft ding,
// made once on first use.
#include "platform/posix/winmm/wave_data.h"

#include <cmath>

namespace posix::winmm {
namespace {

const int kRate = 22050;
const double kSeconds = 0.35;
const double kPitch = 880.0;  // A5, with a quieter octave above it

std::vector<uint8_t> SynthesiseDing() {
    const int frames = int(kRate * kSeconds);
    const double twoPi = 6.283185307179586;
    std::vector<uint8_t> bytes(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / kRate;
        double attack = t < 0.005 ? t / 0.005 : 1.0;
        double release = double(frames - 1 - i) / (frames - 1);  // reaches 0 at the end
        double envelope = attack * std::exp(-t * 9.0) * release;
        double tone = std::sin(twoPi * kPitch * t) + 0.3 * std::sin(twoPi * 2 * kPitch * t);
        int sample = int(std::lround(envelope * tone * 0.3 * 32767.0));
        bytes[size_t(i) * 2] = uint8_t(sample & 0xFF);
        bytes[size_t(i) * 2 + 1] = uint8_t((sample >> 8) & 0xFF);
    }
    return bytes;
}

}  // namespace

PcmView DefaultSound() {
    static const std::vector<uint8_t> samples = SynthesiseDing();
    PcmView view;
    view.format.channels = 1;
    view.format.sampleRate = kRate;
    view.format.bitsPerSample = 16;
    view.samples = samples.data();
    view.sampleBytes = samples.size();
    return view;
}

}  // namespace posix::winmm
