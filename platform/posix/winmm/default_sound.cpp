// The sound played when the named one cannot be found: a short soft ding,
// made once on first use.
#include "platform/posix/winmm/sound.h"

#include <algorithm>
#include <cmath>

namespace posix::winmm {
namespace {

const int kRate = 22050;
const double kSeconds = 0.35;
const double kPitch = 880.0;  // A5, with a quieter octave above it

std::vector<float> SynthesiseDing() {
    const int frames = int(kRate * kSeconds);
    const double twoPi = 6.283185307179586;
    std::vector<float> samples(size_t(frames), 0.0f);
    for (int i = 0; i < frames; ++i) {
        double t = double(i) / kRate;
        double attack = t < 0.005 ? t / 0.005 : 1.0;
        double release = double(frames - 1 - i) / (frames - 1);  // reaches 0 at the end
        double envelope = attack * std::exp(-t * 9.0) * release;
        double tone = std::sin(twoPi * kPitch * t) + 0.3 * std::sin(twoPi * 2 * kPitch * t);
        samples[size_t(i)] = float(envelope * tone * 0.3);
    }
    return samples;
}

class Ding : public Sound {
public:
    size_t Read(float* out, size_t frames) override {
        static const std::vector<float> samples = SynthesiseDing();
        const size_t n = std::min(frames, samples.size() - at_);
        std::copy_n(samples.begin() + long(at_), n, out);
        at_ += n;
        return n;
    }

private:
    size_t at_ = 0;
};

}  // namespace

std::unique_ptr<Sound> DefaultSound() {
    auto ding = std::make_unique<Ding>();
    ding->format.channels = 1;
    ding->format.sampleRate = kRate;
    ding->defaultSound = true;
    return ding;
}

}  // namespace posix::winmm
