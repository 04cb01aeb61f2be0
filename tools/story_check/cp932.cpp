#include "tools/story_check/cp932.h"

#include <iconv.h>

#include <cstdio>
#include <map>

namespace {

bool Convert(const std::string& utf8, std::string* bytes) {
    static iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* outAt = out;
    size_t outLeft = sizeof out;
    if (iconv(converter, &in, &inLeft, &outAt, &outLeft) == static_cast<size_t>(-1)) return false;
    if (inLeft != 0) return false;
    bytes->assign(out, outAt);
    return true;
}

}  // namespace

bool EncodeCp932(char32_t code, std::string* bytes) {
    static std::map<char32_t, std::pair<bool, std::string>> known;
    auto found = known.find(code);
    if (found == known.end()) {
        std::string converted;
        const bool held = Convert(Utf8Of(code), &converted);
        found = known.emplace(code, std::make_pair(held, converted)).first;
    }
    if (found->second.first) *bytes = found->second.second;
    return found->second.first;
}

std::string Utf8Of(char32_t code) {
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

std::string CodePointName(char32_t code) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return name;
}
