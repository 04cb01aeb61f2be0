// RIFF/WAVE reading: the fmt and data chunks, in any order, every size checked.
#include "platform/posix/winmm/wave_data.h"

#include <cstring>

namespace posix::winmm {
namespace {

const uint16_t kFormatPcm = 1;
const uint16_t kFormatExtensible = 0xFFFE;
const int kLowestRate = 1000;
const int kHighestRate = 384000;

// The tail shared by every KSDATAFORMAT_SUBTYPE_* GUID (after its first 4 bytes).
const uint8_t kSubtypeGuidTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                      0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct Chunk {
    const uint8_t* body = nullptr;
    size_t size = 0;  // bytes really present, at most the declared size
};

// The fmt chunk body: true when it describes PCM this module can play.
bool ReadFormat(const Chunk& fmt, PcmFormat* out) {
    if (fmt.size < 16) return false;
    const uint8_t* p = fmt.body;
    uint16_t tag = ReadU16(p);
    uint16_t channels = ReadU16(p + 2);
    uint32_t rate = ReadU32(p + 4);
    uint16_t blockAlign = ReadU16(p + 12);
    uint16_t bits = ReadU16(p + 14);
    if (tag == kFormatExtensible) {
        // cbSize, valid bits, channel mask, then the 16-byte subformat GUID.
        if (fmt.size < 40 || ReadU16(p + 16) < 22) return false;
        const uint8_t* guid = p + 24;
        if (ReadU32(guid) != kFormatPcm) return false;
        if (std::memcmp(guid + 4, kSubtypeGuidTail, sizeof kSubtypeGuidTail) != 0) return false;
        uint16_t validBits = ReadU16(p + 18);
        if (validBits > bits) return false;
    } else if (tag != kFormatPcm) {
        return false;
    }
    if (channels != 1 && channels != 2) return false;
    if (bits != 8 && bits != 16) return false;
    if (rate < uint32_t(kLowestRate) || rate > uint32_t(kHighestRate)) return false;
    if (blockAlign != channels * bits / 8) return false;
    out->channels = channels;
    out->sampleRate = int(rate);
    out->bitsPerSample = bits;
    return true;
}

}  // namespace

bool ParseWave(const uint8_t* image, size_t size, PcmView* out) {
    if (image == nullptr || size < 12) return false;
    if (std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0) return false;

    // The RIFF size bounds the chunks, unless the file is shorter than it claims.
    uint64_t end = uint64_t(ReadU32(image + 4)) + 8;
    if (end > size) end = size;

    Chunk fmt, data;
    bool haveFmt = false, haveData = false;
    uint64_t offset = 12;
    while (offset + 8 <= end && !(haveFmt && haveData)) {
        const uint8_t* header = image + offset;
        uint64_t declared = ReadU32(header + 4);
        uint64_t bodyStart = offset + 8;
        uint64_t present = declared <= end - bodyStart ? declared : end - bodyStart;
        Chunk chunk{image + bodyStart, size_t(present)};
        if (!haveFmt && std::memcmp(header, "fmt ", 4) == 0) {
            fmt = chunk;
            haveFmt = true;
        } else if (!haveData && std::memcmp(header, "data", 4) == 0) {
            data = chunk;
            haveData = true;
        }
        // Chunk bodies of odd size are followed by one pad byte.
        offset = bodyStart + declared + (declared & 1);
    }
    if (!haveFmt || !haveData) return false;

    PcmView view;
    if (!ReadFormat(fmt, &view.format)) return false;
    view.samples = data.body;
    view.sampleBytes = data.size - data.size % view.format.BytesPerFrame();
    *out = view;
    return true;
}

}  // namespace posix::winmm
