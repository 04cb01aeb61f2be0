// Shared pieces of the GDI tests: an 8-bit canvas with a DC on it, the
// reader's colour table, and ways to look at what was drawn.
#ifndef TESTS_PLATFORM_GDI_GDI_TEST_SUPPORT_H
#define TESTS_PLATFORM_GDI_GDI_TEST_SUPPORT_H

#include "platform/posix/gdi/gdi.h"
#include "platform/posix/test_hooks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gditest {

// "ＭＳ Ｐ明朝" in Shift-JIS.
inline const char kMinchoFace[] = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";
constexpr uint8_t kUntouched = 77;  // what a canvas holds before drawing

// The picture's colour table as the display shows it: 0 black and 255 white
// fixed, 1 to 97 the picture's own colours, white runs, yellow at 224, the
// disclaimer blue at 225 and the key colour RGB(1,1,1) at 240.
inline std::array<PALETTEENTRY, 256> ReaderPalette() {
    std::array<PALETTEENTRY, 256> palette{};
    for (int i = 0; i < 98; ++i)
        palette[i] = {static_cast<BYTE>(99 + (i * 7) % 67), static_cast<BYTE>(99 + (i * 13) % 67),
                      static_cast<BYTE>(99 + i % 67), 0};
    for (int i = 98; i < 256; ++i) palette[i] = {255, 255, 255, 0};
    palette[0] = {0, 0, 0, 0};
    palette[224] = {255, 255, 0, 0};
    palette[225] = {43, 179, 255, 0};
    palette[240] = {1, 1, 1, 0};
    return palette;
}

// A width x height 8-bit picture, filled with kUntouched, and a DC on it.
class Canvas {
public:
    Canvas(int width, int height, const PALETTEENTRY* palette, int pitch = 0)
        : palette_(palette) {
        pixels_.width = width;
        pixels_.height = height;
        pixels_.pitch = pitch != 0 ? pitch : width;
        // A guard band after the last row catches writes past the end.
        store_.assign(static_cast<size_t>(pixels_.pitch) * height + kGuard, kUntouched);
        pixels_.pixels = store_.data();
        dc_ = posix::gdi::CreatePixelDC(pixels_, palette_);
    }
    ~Canvas() { posix::gdi::DestroyPixelDC(dc_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return pixels_.width; }
    int height() const { return pixels_.height; }
    uint8_t at(int x, int y) const { return store_[static_cast<size_t>(y) * pixels_.pitch + x]; }
    void set(int x, int y, uint8_t value) { store_[static_cast<size_t>(y) * pixels_.pitch + x] = value; }
    void fill(uint8_t value) {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) set(x, y, value);
    }
    bool guardIntact() const {
        for (size_t i = store_.size() - kGuard; i < store_.size(); ++i)
            if (store_[i] != kUntouched) return false;
        // Padding between the row end and the pitch must stay untouched too.
        for (int y = 0; y < height(); ++y)
            for (int x = width(); x < pixels_.pitch; ++x)
                if (at(x, y) != kUntouched) return false;
        return true;
    }

    // Pixels that are not `background`, and the box around them.
    struct Ink {
        int count = 0;
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    };
    Ink ink(uint8_t background = kUntouched) const {
        Ink result;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (at(x, y) != background) {
                    ++result.count;
                    result.left = std::min(result.left, x);
                    result.right = std::max(result.right, x);
                    result.top = std::min(result.top, y);
                    result.bottom = std::max(result.bottom, y);
                }
        return result;
    }
    // Every distinct value on the canvas.
    std::vector<uint8_t> values() const {
        std::array<bool, 256> seen{};
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) seen[at(x, y)] = true;
        std::vector<uint8_t> result;
        for (int i = 0; i < 256; ++i)
            if (seen[i]) result.push_back(static_cast<uint8_t>(i));
        return result;
    }

private:
    static constexpr size_t kGuard = 64;
    const PALETTEENTRY* palette_;
    posix::IndexedPixels pixels_;
    std::vector<uint8_t> store_;
    HDC dc_ = nullptr;
};

// A font selected into a DC for the life of a scope, as the reader uses one.
class SelectedFont {
public:
    SelectedFont(HDC dc, int height, int weight = FW_NORMAL, bool italic = false,
                 const char* face = kMinchoFace)
        : dc_(dc) {
        font_ = CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
        previous_ = SelectObject(dc_, font_);
    }
    ~SelectedFont() {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

inline SIZE Extent(HDC dc, const std::string& text) {
    SIZE size{-1, -1};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

inline void Draw(HDC dc, int x, int y, const std::string& text) {
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace gditest

#endif
