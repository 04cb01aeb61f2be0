// Cue synthesis: each cue is a sum of struck partials (sine waves with an
// exponential decay), with a short attack and a fade to exact silence at the end.
#include "cues.h"

#include <cmath>
#include <cstdint>

namespace {

const int kRate = 22050;
const double kTwoPi = 6.283185307179586;

struct Partial {
    double ratio;      // of the strike's pitch
    double amplitude;
    double decaySeconds;
};

MonoSound Silence(double seconds) {
    MonoSound sound;
    sound.sampleRate = kRate;
    sound.samples.assign(size_t(seconds * kRate), 0.0);
    return sound;
}

// Adds one strike of a tuned object at time start.
void Strike(MonoSound* sound, double start, double pitch, double gain, double attackSeconds,
            const Partial* partials, int partialCount) {
    size_t first = size_t(start * kRate);
    for (size_t i = first; i < sound->samples.size(); ++i) {
        double t = double(i - first) / kRate;
        double attack = t < attackSeconds ? t / attackSeconds : 1.0;
        double sum = 0.0;
        for (int k = 0; k < partialCount; ++k) {
            const Partial& p = partials[k];
            if (pitch * p.ratio >= 0.45 * kRate) continue;  // would fold back as a false tone
            sum += p.amplitude * std::exp(-t / p.decaySeconds) * std::sin(kTwoPi * pitch * p.ratio * t);
        }
        sound->samples[i] += gain * attack * sum;
    }
}

// Brings the last seconds down to zero, so the cue ends without a click.
void FadeOut(MonoSound* sound, double seconds) {
    size_t length = size_t(seconds * kRate);
    size_t total = sound->samples.size();
    if (length > total) length = total;
    for (size_t i = 0; i < length; ++i) {
        double gain = double(i) / double(length);  // 0 on the last sample
        sound->samples[total - 1 - i] *= gain;
    }
}

// A fixed-seed noise source for the knock's thud.
double Noise(uint32_t* state) {
    *state = *state * 1664525u + 1013904223u;
    return double(*state >> 8) / double(1u << 23) - 1.0;
}

// A wooden knock: a low tone whose pitch drops, and a dull noise thump.
void Knock(MonoSound* sound, double start, double gain) {
    size_t first = size_t(start * kRate);
    uint32_t seed = uint32_t(7 + first);
    double phase = 0.0, lowPassed = 0.0;
    for (size_t i = first; i < sound->samples.size(); ++i) {
        double t = double(i - first) / kRate;
        double pitch = 85.0 + 95.0 * std::exp(-t / 0.03);
        phase += kTwoPi * pitch / kRate;
        double attack = t < 0.002 ? t / 0.002 : 1.0;
        double tone = std::sin(phase) * std::exp(-t / 0.07);
        lowPassed += 0.25 * (Noise(&seed) - lowPassed);  // about 1.5 kHz
        double thump = lowPassed * std::exp(-t / 0.012);
        sound->samples[i] += gain * attack * (0.8 * tone + 0.9 * thump);
    }
}

}  // namespace

MonoSound SoftChime() {
    static const Partial glass[] = {{1.0, 1.0, 0.40}, {2.0, 0.22, 0.20}, {2.76, 0.12, 0.12}, {3.0, 0.06, 0.08}};
    MonoSound sound = Silence(1.0);
    Strike(&sound, 0.00, 1046.5, 0.28, 0.008, glass, 4);  // C6
    Strike(&sound, 0.16, 1568.0, 0.20, 0.008, glass, 4);  // G6
    FadeOut(&sound, 0.08);
    return sound;
}

MonoSound DoubleDrumKnock() {
    MonoSound sound = Silence(0.55);
    Knock(&sound, 0.00, 0.60);
    Knock(&sound, 0.19, 0.48);
    FadeOut(&sound, 0.05);
    return sound;
}

MonoSound WindBell() {
    static const Partial bell[] = {{1.0, 1.0, 0.30}, {2.32, 0.45, 0.18}, {4.25, 0.22, 0.10}, {6.63, 0.10, 0.06}};
    MonoSound sound = Silence(1.2);
    // The clapper swings: a full strike, then two lighter touches.
    Strike(&sound, 0.00, 2093.0, 0.22, 0.002, bell, 4);  // C7
    Strike(&sound, 0.34, 2101.0, 0.13, 0.002, bell, 4);
    Strike(&sound, 0.55, 2089.0, 0.08, 0.002, bell, 4);
    FadeOut(&sound, 0.10);
    return sound;
}

MonoSound GentleLowBell() {
    // Hum, prime, minor third, fifth and nominal of a bell, with a slow beat in the prime.
    static const Partial bell[] = {{0.5, 0.40, 0.90}, {1.0, 0.70, 0.60}, {1.004, 0.30, 0.60},
                                   {1.2, 0.25, 0.40}, {1.5, 0.18, 0.35}, {2.0, 0.30, 0.28},
                                   {2.76, 0.08, 0.18}};
    MonoSound sound = Silence(1.2);
    Strike(&sound, 0.0, 196.0, 0.30, 0.015, bell, 7);  // G3
    FadeOut(&sound, 0.25);
    return sound;
}
