#include "platform/posix/user/window_title.h"

#include <iconv.h>

#include <cstring>

namespace posix::user {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

std::string Cp932ToUtf8(const char* text) {
    std::string result;
    if (text == nullptr) return result;
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return result;
    size_t left = std::strlen(text);
    char* in = const_cast<char*>(text);
    while (left > 0) {
        // One character at a time, so a bad pair costs one replacement only.
        size_t charLength = IsLeadByte(static_cast<unsigned char>(*in)) && left >= 2 ? 2 : 1;
        char out[8];
        char* outPtr = out;
        size_t outLeft = sizeof out;
        char* charPtr = in;
        size_t charLeft = charLength;
        if (iconv(converter, &charPtr, &charLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            charLeft != 0) {
            result += kReplacement;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        } else {
            result.append(out, static_cast<size_t>(outPtr - out));
        }
        in += charLength;
        left -= charLength;
    }
    iconv_close(converter);
    return result;
}

}  // namespace posix::user
