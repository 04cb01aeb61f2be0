// Builds RIFF/WAVE images byte by byte, well-formed or broken on purpose.
#ifndef TESTS_PLATFORM_WINMM_WAVE_IMAGES_H
#define TESTS_PLATFORM_WINMM_WAVE_IMAGES_H

#include <cstdint>
#include <string>
#include <vector>

namespace waveimages {

typedef std::vector<uint8_t> Bytes;

inline void PutU16(Bytes* out, unsigned v) {
    out->push_back(uint8_t(v & 0xFF));
    out->push_back(uint8_t((v >> 8) & 0xFF));
}
inline void PutU32(Bytes* out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// A plain fmt body; blockAlign 0 means the right one for channels and bits.
inline Bytes FmtBody(unsigned tag, unsigned channels, uint32_t rate, unsigned bits, unsigned blockAlign = 0) {
    if (blockAlign == 0) blockAlign = channels * bits / 8;
    Bytes b;
    PutU16(&b, tag);
    PutU16(&b, channels);
    PutU32(&b, rate);
    PutU32(&b, rate * blockAlign);
    PutU16(&b, blockAlign);
    PutU16(&b, bits);
    return b;
}
inline Bytes PcmFmt(unsigned channels, uint32_t rate, unsigned bits) { return FmtBody(1, channels, rate, bits); }

// WAVE_FORMAT_EXTENSIBLE with the KSDATAFORMAT_SUBTYPE whose code is subtype (1 PCM, 3 float).
inline Bytes ExtensibleFmt(unsigned channels, uint32_t rate, unsigned bits, unsigned subtype,
                           unsigned cbSize = 22) {
    Bytes b = FmtBody(0xFFFE, channels, rate, bits);
    PutU16(&b, cbSize);
    PutU16(&b, bits);                       // valid bits
    PutU32(&b, channels == 2 ? 3u : 4u);    // speaker mask
    PutU32(&b, subtype);
    const uint8_t tail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), tail, tail + 12);
    return b;
}

// One chunk with its pad byte when the body is odd; declared replaces the size field.
inline Bytes Chunk(const char* id, const Bytes& body, int64_t declared = -1) {
    Bytes c(id, id + 4);
    PutU32(&c, declared < 0 ? uint32_t(body.size()) : uint32_t(declared));
    c.insert(c.end(), body.begin(), body.end());
    if (body.size() & 1) c.push_back(0);
    return c;
}

// "RIFF" size "WAVE" and the chunks; declared replaces the RIFF size.
inline Bytes Riff(const std::vector<Bytes>& chunks, int64_t declared = -1) {
    Bytes body;
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes r = {'R', 'I', 'F', 'F'};
    PutU32(&r, declared < 0 ? uint32_t(body.size() + 4) : uint32_t(declared));
    r.insert(r.end(), {'W', 'A', 'V', 'E'});
    r.insert(r.end(), body.begin(), body.end());
    return r;
}

// size bytes of a ramp, so tests can tell where samples came from.
inline Bytes Samples(size_t size) {
    Bytes s(size);
    for (size_t i = 0; i < size; ++i) s[i] = uint8_t(i * 7 + 3);
    return s;
}

inline Bytes SimpleWave(unsigned channels, uint32_t rate, unsigned bits, size_t frames) {
    return Riff({Chunk("fmt ", PcmFmt(channels, rate, bits)), Chunk("data", Samples(frames * channels * bits / 8))});
}

}  // namespace waveimages

#endif
