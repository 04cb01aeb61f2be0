// Fonts and Shift-JIS text: CreateFontA, GetTextExtentPoint32A, TextOutA.
#include "platform/posix/gdi/colour_match.h"
#include "platform/posix/gdi/gdi_objects.h"
#include "platform/posix/idle/idle.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/pixels/pixels.h"

#include <algorithm>

using namespace posix::gdi;

namespace {

RealisedFont* SelectedFont(DeviceContext* dc) {
    FontObject* font = dc->font != nullptr ? dc->font : DefaultFont();
    if (font->realised == nullptr) font->realised = RealiseFont(font->request);
    return font->realised;
}

// Calls visit(glyph, penX) for each character of the text, in order.
template <typename Visit>
long long ForEachGlyph(RealisedFont* font, const char* text, int length, Visit visit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    long long pen = 0;
    for (int i = 0; i < length;) {
        const posix::kernel::DecodedCharacter character =
            posix::kernel::DecodeCp932Character(bytes + i, length - i);
        const Glyph& glyph = font->GlyphFor(character.codePoint);
        visit(glyph, pen);
        pen += glyph.advance;
        i += static_cast<int>(character.bytes);
    }
    return pen;
}

// Sets the glyph's ink pixels to index, its mask's top-left at (x, y), clipped.
void DrawGlyphClipped(const posix::IndexedPixels& target, long long x, long long y,
                      const Glyph& glyph, uint8_t index) {
    const long long firstRow = std::max<long long>(0, -y);
    const long long lastRow = std::min<long long>(glyph.rows, target.height - y);
    const long long firstColumn = std::max<long long>(0, -x);
    const long long lastColumn = std::min<long long>(glyph.width, target.width - x);
    for (long long row = firstRow; row < lastRow; ++row) {
        const uint8_t* ink = glyph.mask.data() + row * glyph.width;
        uint8_t* out = target.pixels + (y + row) * target.pitch + x;
        for (long long column = firstColumn; column < lastColumn; ++column)
            if (ink[column]) out[column] = index;
    }
}

}  // namespace

// Escapement and orientation are kept but not drawn: text is always horizontal
// here (the reader only draws upright text).
HFONT WINAPI CreateFontA(int height, int width, int, int, int weight, DWORD italic, DWORD,
                         DWORD, DWORD charSet, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName) {
    auto* font = new FontObject;
    font->request.height = height;
    font->request.width = width;
    font->request.weight = weight == FW_DONTCARE ? FW_NORMAL : weight;
    font->request.italic = italic != 0;
    font->request.charSet = charSet;
    if (faceName != nullptr) {
        // LF_FACESIZE: Windows reads at most 31 bytes of the face name.
        size_t length = 0;
        while (length < 31 && faceName[length] != '\0') ++length;
        font->request.faceName.assign(faceName, length);
    }
    return static_cast<HFONT>(RegisterObject(font));
}

BOOL WINAPI GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, LPSIZE size) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr || size == nullptr || length < 0 || (text == nullptr && length > 0))
        return FALSE;
    RealisedFont* font = SelectedFont(dc);
    if (font == nullptr) return FALSE;
    const long long width = ForEachGlyph(font, text, length, [](const Glyph&, long long) {});
    size->cx = static_cast<LONG>(width);
    size->cy = font->CellHeight();
    return TRUE;
}

BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int length) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr || length < 0 || (text == nullptr && length > 0)) return FALSE;
    posix::idle::NoteWork();
    RealisedFont* font = SelectedFont(dc);
    if (font == nullptr) return FALSE;
    const posix::IndexedPixels& target = dc->target;
    if (dc->backgroundMode == OPAQUE) {
        const long long width = ForEachGlyph(font, text, length, [](const Glyph&, long long) {});
        const uint8_t background = MatchColour(dc->palette, dc->paletteSize, dc->backgroundColour);
        posix::pixels::FillClipped(target, x, y, x + width, static_cast<long long>(y) + font->CellHeight(),
                    background);
    }
    const uint8_t ink = MatchColour(dc->palette, dc->paletteSize, dc->textColour);
    const long long baseline = static_cast<long long>(y) + font->Metrics().ascent;
    ForEachGlyph(font, text, length, [&](const Glyph& glyph, long long pen) {
        DrawGlyphClipped(target, x + pen + glyph.left, baseline - glyph.top, glyph, ink);
    });
    return TRUE;
}
