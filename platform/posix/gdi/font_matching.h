// Which font file stands for a Windows face name. Per host: linux/font_matching.cpp
// asks fontconfig; web/font_matching.cpp names the one font that the page brings.
#ifndef PLATFORM_POSIX_GDI_FONT_MATCHING_H
#define PLATFORM_POSIX_GDI_FONT_MATCHING_H

#include <string>

namespace posix::gdi {

struct FontFile {
    std::string path;
    int index = 0;  // face within the file
};

// The best installed font for a family (UTF-8; empty for the default face).
// Windows face names with no Linux font are mapped to their nearest
// installed equivalents. wantJapanese prefers fonts that cover Japanese, as
// Windows' font mapper honours SHIFTJIS_CHARSET. Results are cached.
bool MatchFontFile(const std::string& family, bool wantJapanese, FontFile* out);

}  // namespace posix::gdi

#endif
