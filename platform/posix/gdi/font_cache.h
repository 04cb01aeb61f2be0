// Fonts as GDI realises them: a face found through fontconfig, sized by the
// Windows cell height, with synthetic bold and italic, and its glyphs rendered
// without antialiasing. Faces, sizes and glyphs are cached for the life of the
// process; the HFONTs that use them come and go.
#ifndef PLATFORM_POSIX_GDI_FONT_CACHE_H
#define PLATFORM_POSIX_GDI_FONT_CACHE_H

#include "platform/win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace posix::gdi {

// What CreateFontA was asked for.
struct FontRequest {
    int height = 0;
    int width = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    DWORD charSet = DEFAULT_CHARSET;
    std::string faceName;  // as given: ANSI code page bytes (CP932)

    bool operator==(const FontRequest& other) const {
        return height == other.height && width == other.width && weight == other.weight &&
               italic == other.italic && charSet == other.charSet && faceName == other.faceName;
    }
};

// One rendered glyph: a 0/1 mask, placed relative to the pen on the baseline.
struct Glyph {
    int left = 0;     // from the pen position to the mask's first column
    int top = 0;      // from the baseline up to the mask's first row
    int width = 0;
    int rows = 0;
    int advance = 0;  // pixels the pen moves on
    std::vector<uint8_t> mask;  // width * rows, 1 where the glyph has ink
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int pixelSize = 0;  // the em size in pixels
    bool syntheticBold = false;
    bool syntheticItalic = false;
    std::string file;
};

class RealisedFont {
public:
    virtual ~RealisedFont() = default;
    virtual const FontMetrics& Metrics() const = 0;
    int CellHeight() const { return Metrics().ascent + Metrics().descent; }
    // Rendered once per code point, then kept.
    virtual const Glyph& GlyphFor(uint32_t codePoint) = 0;
};

// The realised font for a request, made once and kept; null when no font file
// can be found or opened.
RealisedFont* RealiseFont(const FontRequest& request);

}  // namespace posix::gdi

#endif
