#include "platform/posix/gdi/font_cache.h"

#include "platform/posix/gdi/font_matching.h"
#include "platform/posix/kernel/kernel.h"

#include <ft2build.h>
#include FT_BITMAP_H
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>

namespace posix::gdi {

namespace {

// Windows' default height for a font asked for with height 0.
constexpr int kDefaultCellHeight = 16;
// Larger sizes would only make huge glyph masks; nothing draws text this big.
constexpr int kLargestPixelSize = 1024;
// The slant of synthetic italic: a quarter pixel right per pixel up (14 degrees).
constexpr FT_Fixed kItalicShear = 0x4000;
// Synthetic bold is drawn thicker but moves the pen on by one pixel only.
constexpr int kBoldExtraAdvance = 1;
constexpr int kSyntheticBoldFromWeight = 600;

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) made = nullptr;
        return made;
    }();
    return library;
}

// Faces stay open for the life of the process: opening one costs far more than
// drawing a character.
FT_Face OpenFace(const FontFile& file) {
    static std::map<std::pair<std::string, int>, FT_Face> faces;
    const auto key = std::make_pair(file.path, file.index);
    const auto found = faces.find(key);
    if (found != faces.end()) return found->second;
    FT_Face face = nullptr;
    if (Library() == nullptr || FT_New_Face(Library(), file.path.c_str(), file.index, &face) != 0)
        face = nullptr;
    faces.emplace(key, face);
    return face;
}

int RoundedMulDiv(long long value, long long numerator, long long denominator) {
    if (denominator == 0) return 0;
    const long long product = value * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// The Windows ascent and descent in font units: the OS/2 table's usWin values.
void WindowsVerticalMetrics(FT_Face face, int* ascent, int* descent) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        *ascent = os2->usWinAscent;
        *descent = os2->usWinDescent;
    } else {
        *ascent = face->ascender;
        *descent = -face->descender;
    }
}

int AverageCharWidth(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    return os2 != nullptr && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : face->units_per_EM / 2;
}

class FreeTypeFont : public RealisedFont {
public:
    FreeTypeFont(FT_Face face, FT_Size size, FontMetrics metrics)
        : face_(face), size_(size), metrics_(std::move(metrics)) {}

    const FontMetrics& Metrics() const override { return metrics_; }

    const Glyph& GlyphFor(uint32_t codePoint) override {
        const auto found = glyphs_.find(codePoint);
        if (found != glyphs_.end()) return found->second;
        return glyphs_.emplace(codePoint, Render(codePoint)).first->second;
    }

private:
    Glyph Render(uint32_t codePoint);

    FT_Face face_;
    FT_Size size_;
    FontMetrics metrics_;
    std::unordered_map<uint32_t, Glyph> glyphs_;
};

void CopyMonoBitmap(const FT_Bitmap& bitmap, Glyph* glyph) {
    glyph->width = static_cast<int>(bitmap.width);
    glyph->rows = static_cast<int>(bitmap.rows);
    glyph->mask.assign(static_cast<size_t>(glyph->width) * glyph->rows, 0);
    const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    for (int row = 0; row < glyph->rows; ++row) {
        const int sourceRow = bitmap.pitch < 0 ? glyph->rows - 1 - row : row;
        const unsigned char* bits = bitmap.buffer + static_cast<size_t>(sourceRow) * pitch;
        for (int column = 0; column < glyph->width; ++column)
            glyph->mask[static_cast<size_t>(row) * glyph->width + column] =
                (bits[column >> 3] >> (7 - (column & 7))) & 1;
    }
}

// Renders the outline into the whole pixels its control box touches, as Windows
// sizes a glyph's bitmap. FT_Render_Glyph keeps only the rows and columns whose
// centres the box covers, which drops the pixel that a stroke's tip earns by
// drop-out control just beyond a pixel centre (the tips of a slanted "ろ").
bool RenderInWholePixelBox(FT_Outline* outline, Glyph* glyph) {
    FT_BBox box;
    FT_Outline_Get_CBox(outline, &box);
    box.xMin = box.xMin & -64;
    box.yMin = box.yMin & -64;
    box.xMax = (box.xMax + 63) & -64;
    box.yMax = (box.yMax + 63) & -64;
    glyph->left = static_cast<int>(box.xMin >> 6);
    glyph->top = static_cast<int>(box.yMax >> 6);
    const int width = static_cast<int>((box.xMax - box.xMin) >> 6);
    const int rows = static_cast<int>((box.yMax - box.yMin) >> 6);
    if (width <= 0 || rows <= 0) return true;  // a glyph without ink (a space)
    const int pitch = (width + 7) / 8;
    std::vector<unsigned char> bits(static_cast<size_t>(pitch) * rows, 0);
    FT_Bitmap bitmap;
    FT_Bitmap_Init(&bitmap);
    bitmap.width = static_cast<unsigned>(width);
    bitmap.rows = static_cast<unsigned>(rows);
    bitmap.pitch = pitch;
    bitmap.buffer = bits.data();
    bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
    bitmap.num_grays = 2;
    FT_Outline_Translate(outline, -box.xMin, -box.yMin);
    if (FT_Outline_Get_Bitmap(Library(), outline, &bitmap) != 0) return false;
    CopyMonoBitmap(bitmap, glyph);
    return true;
}

// Windows clips what a glyph draws above the font's Windows ascent and below its
// Windows descent: no ink leaves the text cell vertically.
void ClipToCell(int ascent, int descent, Glyph* glyph) {
    const int firstRow = std::max(0, glyph->top - ascent);
    const int endRow = std::min(glyph->rows, glyph->top + descent);
    if (firstRow == 0 && endRow == glyph->rows) return;
    if (endRow <= firstRow) {
        glyph->rows = 0;
        glyph->mask.clear();
        return;
    }
    const auto rowBytes = static_cast<size_t>(glyph->width);
    glyph->mask.erase(glyph->mask.begin() + static_cast<long>(endRow * rowBytes), glyph->mask.end());
    glyph->mask.erase(glyph->mask.begin(), glyph->mask.begin() + static_cast<long>(firstRow * rowBytes));
    glyph->rows = endRow - firstRow;
    glyph->top -= firstRow;
}

Glyph FreeTypeFont::Render(uint32_t codePoint) {
    Glyph glyph;
    FT_Activate_Size(size_);
    const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) return glyph;
    FT_GlyphSlot slot = face_->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // Thicken the upright outline, then lean it: emboldening a sheared outline
        // grows spikes at its sharp corners.
        if (metrics_.syntheticBold) {
            // Thicker by a 24th of the em each way, as the pixel size grows.
            const FT_Pos strength = FT_MulFix(face_->units_per_EM, size_->metrics.y_scale) / 24;
            FT_Outline_EmboldenXY(&slot->outline, strength, strength);
        }
        if (metrics_.syntheticItalic) {
            FT_Matrix shear = {0x10000, kItalicShear, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    if (metrics_.syntheticBold) glyph.advance += kBoldExtraAdvance;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (!RenderInWholePixelBox(&slot->outline, &glyph)) {
            Glyph blank;  // no ink, but the pen still moves on
            blank.advance = glyph.advance;
            return blank;
        }
    } else {
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 ||
            slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
            return glyph;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        CopyMonoBitmap(slot->bitmap, &glyph);
    }
    ClipToCell(metrics_.ascent, metrics_.descent, &glyph);
    return glyph;
}

std::unique_ptr<RealisedFont> MakeFont(const FontRequest& request) {
    const std::string family = posix::kernel::Cp932ToUtf8(request.faceName.data(), request.faceName.size());
    FontFile file;
    if (!MatchFontFile(family, request.charSet == SHIFTJIS_CHARSET, &file)) return nullptr;
    FT_Face face = OpenFace(file);
    if (face == nullptr || face->units_per_EM == 0) return nullptr;

    int winAscent = 0, winDescent = 0;
    WindowsVerticalMetrics(face, &winAscent, &winDescent);
    const int em = face->units_per_EM;
    // A positive height is the cell (ascent plus descent), a negative one the em.
    const int height = request.height == 0 ? kDefaultCellHeight : request.height;
    int pixelSize = height > 0 ? RoundedMulDiv(height, em, winAscent + winDescent) : -height;
    pixelSize = Clamp(pixelSize, 1, kLargestPixelSize);
    int pixelWidth = pixelSize;
    if (request.width != 0)  // the average character width asked for
        pixelWidth = Clamp(RoundedMulDiv(std::abs(request.width), em, AverageCharWidth(face)), 1,
                           kLargestPixelSize);

    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0) return nullptr;
    FT_Activate_Size(size);
    if (FT_Set_Pixel_Sizes(face, pixelWidth, pixelSize) != 0) {
        FT_Done_Size(size);
        return nullptr;
    }

    FontMetrics metrics;
    metrics.pixelSize = pixelSize;
    metrics.ascent = RoundedMulDiv(winAscent, pixelSize, em);
    metrics.descent = RoundedMulDiv(winDescent, pixelSize, em);
    metrics.syntheticBold =
        request.weight >= kSyntheticBoldFromWeight && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    metrics.syntheticItalic = request.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    metrics.file = file.path;
    return std::make_unique<FreeTypeFont>(face, size, std::move(metrics));
}

struct RequestHash {
    size_t operator()(const FontRequest& request) const {
        size_t hash = std::hash<std::string>()(request.faceName);
        for (int part : {request.height, request.width, request.weight,
                         static_cast<int>(request.italic), static_cast<int>(request.charSet)})
            hash = hash * 31 + static_cast<size_t>(part);
        return hash;
    }
};

}  // namespace

RealisedFont* RealiseFont(const FontRequest& request) {
    static std::unordered_map<FontRequest, std::unique_ptr<RealisedFont>, RequestHash> fonts;
    const auto found = fonts.find(request);
    if (found != fonts.end()) return found->second.get();
    return fonts.emplace(request, MakeFont(request)).first->second.get();
}

}  // namespace posix::gdi
