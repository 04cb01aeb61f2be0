// RIFF/WAVE output: a 16-byte PCM fmt chunk and one data chunk.
#include "wave_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

void PutU16(std::vector<uint8_t>* out, unsigned value) {
    out->push_back(uint8_t(value & 0xFF));
    out->push_back(uint8_t((value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>* out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>* out, const char* tag) { out->insert(out->end(), tag, tag + 4); }

// A small fixed-seed generator, so the files come out the same on every run.
double NextUniform(uint32_t* state) {
    *state = *state * 1664525u + 1013904223u;
    return double(*state >> 8) / double(1u << 24);
}

std::vector<uint8_t> EncodeSamples(const std::vector<double>& samples, int bitsPerSample) {
    std::vector<uint8_t> data;
    uint32_t noise = 12345;
    for (double s : samples) {
        s = std::clamp(s, -1.0, 1.0);
        if (bitsPerSample == 8) {
            // Triangular dither, scaled down with the signal so silence stays exact.
            double dither = (NextUniform(&noise) - NextUniform(&noise)) * std::min(1.0, std::fabs(s) * 64.0);
            data.push_back(uint8_t(std::clamp(std::lround(128.0 + s * 127.0 + dither), 0L, 255L)));
        } else {
            PutU16(&data, unsigned(std::lround(s * 32767.0)) & 0xFFFF);
        }
    }
    return data;
}

}  // namespace

bool WriteWave(const std::string& path, const MonoSound& sound, int bitsPerSample) {
    std::vector<uint8_t> data = EncodeSamples(sound.samples, bitsPerSample);
    unsigned blockAlign = unsigned(bitsPerSample / 8);
    uint32_t pad = data.size() & 1;
    std::vector<uint8_t> file;
    PutTag(&file, "RIFF");
    PutU32(&file, uint32_t(4 + 8 + 16 + 8 + data.size() + pad));
    PutTag(&file, "WAVE");
    PutTag(&file, "fmt ");
    PutU32(&file, 16);
    PutU16(&file, 1);  // PCM
    PutU16(&file, 1);  // mono
    PutU32(&file, uint32_t(sound.sampleRate));
    PutU32(&file, uint32_t(sound.sampleRate) * blockAlign);
    PutU16(&file, blockAlign);
    PutU16(&file, unsigned(bitsPerSample));
    PutTag(&file, "data");
    PutU32(&file, uint32_t(data.size()));
    file.insert(file.end(), data.begin(), data.end());
    if (pad) file.push_back(0);

    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
