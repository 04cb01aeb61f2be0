#include "platform/posix/gdi/font_matching.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <utility>

namespace posix::gdi {

namespace {

// Windows' Japanese faces and the IPA fonts that are drawn in their place:
// fontconfig knows none of these names on its own.
const char kWindowsFaceAliases[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same"><family>ＭＳ Ｐ明朝</family><prefer><family>IPAPMincho</family></prefer></alias>
  <alias binding="same"><family>MS PMincho</family><prefer><family>IPAPMincho</family></prefer></alias>
  <alias binding="same"><family>ＭＳ 明朝</family><prefer><family>IPAMincho</family></prefer></alias>
  <alias binding="same"><family>MS Mincho</family><prefer><family>IPAMincho</family></prefer></alias>
</fontconfig>
)";

FcConfig* Config() {
    static FcConfig* config = [] {
        FcConfig* loaded = FcInitLoadConfigAndFonts();
        if (loaded != nullptr)
            FcConfigParseAndLoadFromMemory(
                loaded, reinterpret_cast<const FcChar8*>(kWindowsFaceAliases), FcTrue);
        return loaded;
    }();
    return config;
}

bool MatchUncached(const std::string& family, bool wantJapanese, FontFile* out) {
    FcConfig* config = Config();
    if (config == nullptr) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (wantJapanese) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    // GDI synthesises bold and italic itself, so the upright regular face is wanted.
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    FcChar8* file = nullptr;
    int index = 0;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        out->path = reinterpret_cast<const char*>(file);
        out->index = index;
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

bool MatchFontFile(const std::string& family, bool wantJapanese, FontFile* out) {
    static std::map<std::pair<std::string, bool>, std::pair<bool, FontFile>> cache;
    const auto key = std::make_pair(family, wantJapanese);
    auto found = cache.find(key);
    if (found == cache.end()) {
        FontFile file;
        const bool ok = MatchUncached(family, wantJapanese, &file);
        found = cache.emplace(key, std::make_pair(ok, file)).first;
    }
    if (found->second.first) *out = found->second.second;
    return found->second.first;
}

}  // namespace posix::gdi
