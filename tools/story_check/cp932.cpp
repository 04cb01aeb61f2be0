#include "tools/story_check/cp932.h"

#include "platform/posix/kernel/kernel.h"

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
        const bool held = Convert(posix::kernel::Utf8Of(code), &converted);
        found = known.emplace(code, std::make_pair(held, converted)).first;
    }
    if (found->second.first) *bytes = found->second.second;
    return found->second.first;
}

std::string CodePointName(char32_t code) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return name;
}
