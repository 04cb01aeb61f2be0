// Shift-JIS read as code page 932, one character at a time.
#include "platform/posix/kernel/kernel.h"

#include <gtest/gtest.h>

namespace {

using posix::kernel::DecodeCp932Character;
using posix::kernel::kReplacementCodePoint;

uint32_t CodeOf(const char* bytes, size_t length) {
    return DecodeCp932Character(reinterpret_cast<const unsigned char*>(bytes), length).codePoint;
}

size_t BytesOf(const char* bytes, size_t length) {
    return DecodeCp932Character(reinterpret_cast<const unsigned char*>(bytes), length).bytes;
}

TEST(ShiftJisDecoding, ValidCharactersOfEveryKind) {
    EXPECT_EQ(CodeOf("\x82\xA0", 2), 0x3042u);  // あ
    EXPECT_EQ(CodeOf("\x8A\xBF", 2), 0x6F22u);  // 漢
    EXPECT_EQ(CodeOf("\x81\x40", 2), 0x3000u);  // full-width space
    EXPECT_EQ(CodeOf("\x82\x6C", 2), 0xFF2Du);  // Ｍ
    EXPECT_EQ(CodeOf("A", 1), 0x41u);
    EXPECT_EQ(CodeOf("\xB1", 1), 0xFF71u);  // half-width ｱ, one byte
    EXPECT_EQ(BytesOf("\xB1\xB2", 2), 1u);
    EXPECT_EQ(BytesOf("\x82\xA0", 2), 2u);
}

TEST(ShiftJisDecoding, MicrosoftsTableNotTheStrictOne) {
    EXPECT_EQ(CodeOf("\x81\x7C", 2), 0xFF0Du);  // full-width minus of the subtitle's dashes
    EXPECT_EQ(CodeOf("\x81\x60", 2), 0xFF5Eu);
    EXPECT_EQ(CodeOf("\x5C", 1), 0x5Cu);
    EXPECT_EQ(CodeOf("\x87\x40", 2), 0x2460u);  // NEC row: circled one
}

TEST(ShiftJisDecoding, BrokenBytesGiveTheReplacement) {
    // A second byte that cannot follow a lead byte: the lead byte alone is replaced.
    EXPECT_EQ(CodeOf("\x82\xFF", 2), kReplacementCodePoint);
    EXPECT_EQ(BytesOf("\x82\xFF", 2), 1u);
    // A well-formed pair with no character: the pair is replaced as one.
    EXPECT_EQ(CodeOf("\x82\x41", 2), kReplacementCodePoint);
    EXPECT_EQ(BytesOf("\x82\x41", 2), 2u);
    EXPECT_EQ(CodeOf("\x85\x40", 2), kReplacementCodePoint);
    // A lead byte with nothing after it.
    EXPECT_EQ(CodeOf("\x82", 1), kReplacementCodePoint);
    EXPECT_EQ(BytesOf("\x82", 1), 1u);
    // ...even when the byte after the end would complete a character.
    EXPECT_EQ(CodeOf("\x82\xA0", 1), kReplacementCodePoint);
    EXPECT_EQ(BytesOf("\x82\xA0", 1), 1u);
    EXPECT_EQ(CodeOf("\xFF", 1), kReplacementCodePoint);
}

TEST(ShiftJisDecoding, TextBecomesUtf8AndLeadBytesAreThoseOfCodePage932) {
    const char face[] = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";
    EXPECT_EQ(posix::kernel::Cp932ToUtf8(face, sizeof face - 1), "ＭＳ Ｐ明朝");
    EXPECT_EQ(posix::kernel::Cp932ToUtf8("a\x82\xff" "b\x82", 5), "a・・b・");
    int leads = 0;
    for (int byte = 0; byte < 256; ++byte) leads += IsDBCSLeadByteEx(932, BYTE(byte)) != 0;
    EXPECT_EQ(leads, (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1));
    EXPECT_FALSE(IsDBCSLeadByteEx(932, 0xA0));
    EXPECT_FALSE(IsDBCSLeadByteEx(1252, 0x82));
}

}  // namespace
