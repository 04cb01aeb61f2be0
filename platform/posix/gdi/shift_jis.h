// Shift-JIS text as Windows' code page 932 reads it.
#ifndef PLATFORM_POSIX_GDI_SHIFT_JIS_H
#define PLATFORM_POSIX_GDI_SHIFT_JIS_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace posix::gdi {

// What code page 932 gives for bytes it cannot map: KATAKANA MIDDLE DOT.
constexpr uint32_t kReplacementCodePoint = 0x30FB;

struct DecodedCharacter {
    uint32_t codePoint;
    size_t bytes;  // 1 or 2, never more than were left
};

bool IsLeadByte(unsigned char byte);

// Decodes the character at text[0] of the `left` bytes there (left >= 1).
// Bytes that do not decode give kReplacementCodePoint: an invalid pair whose
// second byte may follow a lead byte is taken as one character, otherwise the
// lead byte alone is.
DecodedCharacter DecodeCharacter(const unsigned char* text, size_t left);

// The bytes as UTF-8, each character decoded as above.
std::string Cp932ToUtf8(const char* text, size_t length);

}  // namespace posix::gdi

#endif
