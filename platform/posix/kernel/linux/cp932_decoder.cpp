// Code page 932 through glibc's CP932 table (not SHIFT_JIS, which maps several
// bytes differently), asked once per character and remembered.
#include "platform/posix/kernel/code_page_932.h"

#include <iconv.h>

#include <vector>

namespace posix::kernel {

namespace {

constexpr uint32_t kUnknown = 0xFFFFFFFFu;  // not asked of iconv yet

uint32_t DecodeWithIconv(const unsigned char* bytes, size_t count) {
    static iconv_t converter = iconv_open("UTF-32LE", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return kNotInCp932;
    char input[2] = {static_cast<char>(bytes[0]), count > 1 ? static_cast<char>(bytes[1]) : '\0'};
    unsigned char output[8];
    char* in = input;
    char* out = reinterpret_cast<char*>(output);
    size_t inLeft = count, outLeft = sizeof output;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    if (result == static_cast<size_t>(-1) || inLeft != 0 || sizeof output - outLeft != 4)
        return kNotInCp932;
    return output[0] | (output[1] << 8) | (output[2] << 16) | (static_cast<uint32_t>(output[3]) << 24);
}

// Decoded characters by their one or two bytes, filled as they are met.
uint32_t& TableEntry(unsigned first, int second) {
    static std::vector<uint32_t> single(256, kUnknown);
    static std::vector<uint32_t> pairs(0x10000, kUnknown);
    return second < 0 ? single[first] : pairs[(first << 8) | static_cast<unsigned>(second)];
}

}  // namespace

uint32_t Cp932CodePoint(const unsigned char* bytes, size_t count) {
    uint32_t& entry = TableEntry(bytes[0], count > 1 ? bytes[1] : -1);
    if (entry == kUnknown) entry = DecodeWithIconv(bytes, count);
    return entry;
}

}  // namespace posix::kernel
