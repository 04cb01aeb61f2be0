// Code page 932 as Windows reads it: which bytes make a character, what stands
// for bytes that do not decode, and UTF-8 for the layer's text.
#include "platform/posix/kernel/code_page_932.h"
#include "platform/posix/kernel/kernel.h"

namespace posix::kernel {

namespace {

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

}  // namespace

DecodedCharacter DecodeCp932Character(const unsigned char* text, size_t left) {
    if (!IsDBCSLeadByteEx(932, text[0])) {
        const uint32_t code = Cp932CodePoint(text, 1);
        return {code == kNotInCp932 ? kReplacementCodePoint : code, 1};
    }
    if (left < 2 || !IsTrailByte(text[1])) return {kReplacementCodePoint, 1};
    const uint32_t code = Cp932CodePoint(text, 2);
    return {code == kNotInCp932 ? kReplacementCodePoint : code, 2};
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
