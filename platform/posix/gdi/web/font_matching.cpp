// A browser page has no installed fonts: it brings one, IPA P Mincho, the font
// that stands for "ＭＳ Ｐ明朝" on Linux too, and every face name is drawn with it.
#include "platform/posix/gdi/font_matching.h"

namespace posix::gdi {

// Where the page puts the font in the program's file system before it starts.
const char kBundledFontPath[] = "/fonts/ipamp.ttf";

bool MatchFontFile(const std::string&, bool, FontFile* out) {
    out->path = kBundledFontPath;
    out->index = 0;
    return true;
}

}  // namespace posix::gdi
