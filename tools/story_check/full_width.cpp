#include "tools/story_check/full_width.h"

namespace {

// U+FF61 to U+FF9F in order.
const char32_t kKatakana[] =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
    U"ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof kKatakana / sizeof kKatakana[0] == 0xFF9F - 0xFF61 + 2, "one per code");

const char32_t kVoicedMark = 0xFF9E;      // ﾞ
const char32_t kSemiVoicedMark = 0xFF9F;  // ﾟ

bool TakesVoicedMark(char32_t kana) {
    const std::u32string voiceable = U"カキクケコサシスセソタチツテトハヒフヘホ";
    return voiceable.find(kana) != std::u32string::npos;
}

bool TakesSemiVoicedMark(char32_t kana) {
    return std::u32string(U"ハヒフヘホ").find(kana) != std::u32string::npos;
}

// CP932 keeps the yen sign and the overline in the bytes of \ and ~.
const char32_t kYenSign = 0x00A5;
const char32_t kOverline = 0x203E;

char32_t FullWidthOf(char32_t code) {
    if (code >= 0x21 && code <= 0x7E) return code - 0x21 + 0xFF01;
    if (code == kYenSign) return U'￥';
    if (code == kOverline) return U'￣';
    if (code >= 0xFF61 && code <= 0xFF9F) return kKatakana[code - 0xFF61];
    return code;
}

}  // namespace

bool IsHalfWidth(char32_t code) {
    return (code >= 0x21 && code <= 0x7E) || (code >= 0xFF61 && code <= 0xFF9F) ||
           code == kYenSign || code == kOverline;
}

std::u32string FullWidthOf(const std::u32string& halfWidth) {
    std::u32string full;
    for (size_t i = 0; i < halfWidth.size(); ++i) {
        const char32_t kana = FullWidthOf(halfWidth[i]);
        const char32_t mark = i + 1 < halfWidth.size() ? halfWidth[i + 1] : 0;
        if (mark == kVoicedMark && kana == U'ウ') {
            full += U'ヴ';
            ++i;
        } else if (mark == kVoicedMark && TakesVoicedMark(kana)) {
            full += kana + 1;  // ガ follows カ, バ follows ハ
            ++i;
        } else if (mark == kSemiVoicedMark && TakesSemiVoicedMark(kana)) {
            full += kana + 2;  // パ follows バ
            ++i;
        } else {
            full += kana;
        }
    }
    return full;
}
