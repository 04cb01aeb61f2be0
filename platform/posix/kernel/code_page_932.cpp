// Code page 932 as Windows reads it, through glibc's CP932 table (not SHIFT_JIS,
// which maps several bytes differently).
#include "platform/posix/kernel/kernel.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace posix::kernel {

namespace {

constexpr uint32_t kUnknown = 0xFFFFFFFFu;  // not asked of iconv yet
constexpr uint32_t kInvalid = 0xFFFFFFFEu;  // iconv refused it

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Asks iconv for one character; kInvalid when it does not decode.
uint32_t DecodeWithIconv(const unsigned char* bytes, size_t count) {
    static iconv_t converter = iconv_open("UTF-32LE", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return kInvalid;
    char input[2] = {static_cast<char>(bytes[0]), count > 1 ? static_cast<char>(bytes[1]) : '\0'};
    unsigned char output[8];
    char* in = input;
    char* out = reinterpret_cast<char*>(output);
    size_t inLeft = count, outLeft = sizeof output;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    if (result == static_cast<size_t>(-1) || inLeft != 0 || sizeof output - outLeft != 4)
        return kInvalid;
    return output[0] | (output[1] << 8) | (output[2] << 16) | (static_cast<uint32_t>(output[3]) << 24);
}

// Decoded characters by their one or two bytes, filled as they are met.
uint32_t& TableEntry(unsigned first, int second) {
    static std::vector<uint32_t> single(256, kUnknown);
    static std::vector<uint32_t> pairs(0x10000, kUnknown);
    return second < 0 ? single[first] : pairs[(first << 8) | static_cast<unsigned>(second)];
}

uint32_t Lookup(const unsigned char* bytes, size_t count) {
    uint32_t& entry = TableEntry(bytes[0], count > 1 ? bytes[1] : -1);
    if (entry == kUnknown) entry = DecodeWithIconv(bytes, count);
    return entry;
}

}  // namespace

DecodedCharacter DecodeCp932Character(const unsigned char* text, size_t left) {
    if (!IsDBCSLeadByteEx(932, text[0])) {
        const uint32_t code = Lookup(text, 1);
        return {code == kInvalid ? kReplacementCodePoint : code, 1};
    }
    if (left < 2 || !IsTrailByte(text[1])) return {kReplacementCodePoint, 1};
    const uint32_t code = Lookup(text, 2);
    return {code == kInvalid ? kReplacementCodePoint : code, 2};
}

std::string Utf8Of(uint32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::string Cp932ToUtf8(const char* text, size_t length) {
    std::string out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length;) {
        const DecodedCharacter character = DecodeCp932Character(bytes + i, length - i);
        out += Utf8Of(character.codePoint);
        i += character.bytes;
    }
    return out;
}

}  // namespace posix::kernel

BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar) {
    // 932 is the one multi-byte code page here.
    if (codePage != 932) return FALSE;
    return (testChar >= 0x81 && testChar <= 0x9F) || (testChar >= 0xE0 && testChar <= 0xFC);
}
