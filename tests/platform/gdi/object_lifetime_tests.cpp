// GDI objects: selection, stock objects, deletion and the live counts.
#include "dib_builder.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

using testhooks::LiveGdiObjects;

bool SameCounts(const testhooks::GdiObjectCounts& a, const testhooks::GdiObjectCounts& b) {
    return a.fonts == b.fonts && a.brushes == b.brushes && a.bitmaps == b.bitmaps &&
           a.deviceContexts == b.deviceContexts;
}

class ObjectLifetime : public ::testing::Test {
protected:
    std::array<PALETTEENTRY, 256> palette = gditest::ReaderPalette();
};

TEST_F(ObjectLifetime, EachKindIsCountedWhileItLives) {
    const auto before = LiveGdiObjects();
    HFONT font = CreateFontA(26, 0, 0, 0, 1000, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             gditest::kMinchoFace);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HDC memory = CreateCompatibleDC(nullptr);
    auto during = LiveGdiObjects();
    EXPECT_EQ(during.fonts, before.fonts + 1);
    EXPECT_EQ(during.brushes, before.brushes + 1);
    EXPECT_EQ(during.deviceContexts, before.deviceContexts + 1);
    {
        gditest::Canvas canvas(4, 4, palette.data());
        EXPECT_EQ(LiveGdiObjects().deviceContexts, before.deviceContexts + 2);
    }
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(SameCounts(LiveGdiObjects(), before));
    // A deleted handle is no longer an object.
    EXPECT_FALSE(DeleteObject(font));
    EXPECT_FALSE(DeleteDC(memory));
}

TEST_F(ObjectLifetime, SelectObjectReturnsThePreviousObjectOfItsKind) {
    gditest::Canvas canvas(4, 4, palette.data());
    HFONT first = CreateFontA(26, 0, 0, 0, 400, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, gditest::kMinchoFace);
    HFONT second = CreateFontA(50, 0, 0, 0, 400, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, gditest::kMinchoFace);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    const HGDIOBJ defaultFont = SelectObject(canvas.dc(), first);
    ASSERT_NE(defaultFont, nullptr);  // a DC starts with a font
    EXPECT_EQ(SelectObject(canvas.dc(), second), first);
    // Selecting a brush does not disturb the font.
    const HGDIOBJ defaultBrush = SelectObject(canvas.dc(), brush);
    EXPECT_EQ(defaultBrush, GetStockObject(0));  // WHITE_BRUSH
    EXPECT_EQ(SelectObject(canvas.dc(), defaultFont), second);
    EXPECT_EQ(SelectObject(canvas.dc(), defaultBrush), brush);
    // Surface DCs take no bitmaps; bad handles are refused.
    EXPECT_EQ(SelectObject(canvas.dc(), nullptr), nullptr);
    EXPECT_EQ(SelectObject(nullptr, first), nullptr);
    DeleteObject(first);
    DeleteObject(second);
    DeleteObject(brush);
    EXPECT_EQ(SelectObject(canvas.dc(), first), nullptr);
}

TEST_F(ObjectLifetime, AMemoryDcStartsWithABitmapAndTakesOneBitmapAtATime) {
    gditest::DibShape shape;
    shape.table = gditest::TableOf(palette.data());
    gditest::AddBitmapResource("LIFETIME_BITMAP", gditest::BuildDib(shape));
    HBITMAP bitmap = gditest::LoadBitmapResource("LIFETIME_BITMAP");
    ASSERT_NE(bitmap, nullptr);
    gditest::Canvas canvas(4, 4, palette.data());
    EXPECT_EQ(SelectObject(canvas.dc(), bitmap), nullptr);

    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(first);
    posix::IndexedPixels pixels;
    ASSERT_TRUE(testhooks::DeviceContextTarget(first, &pixels));
    EXPECT_EQ(pixels.width, 1);  // the 1x1 monochrome bitmap
    EXPECT_EQ(pixels.height, 1);
    const HGDIOBJ original = SelectObject(first, bitmap);
    EXPECT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);  // already in the first DC
    EXPECT_EQ(SelectObject(first, original), bitmap);
    EXPECT_NE(SelectObject(second, bitmap), nullptr);
    DeleteDC(first);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(ObjectLifetime, DeletingASelectedObjectWaitsForItsDeselection) {
    const auto before = LiveGdiObjects();
    {
        gditest::Canvas canvas(40, 40, palette.data());
        HFONT font = CreateFontA(26, 0, 0, 0, 1000, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                                 gditest::kMinchoFace);
        const HGDIOBJ previous = SelectObject(canvas.dc(), font);
        EXPECT_TRUE(DeleteObject(font));
        EXPECT_EQ(LiveGdiObjects().fonts, before.fonts + 1);
        // The DC still draws with it.
        gditest::Draw(canvas.dc(), 0, 0, "\x8A\xBF");
        EXPECT_GT(canvas.ink().count, 0);
        EXPECT_EQ(SelectObject(canvas.dc(), previous), font);
        EXPECT_EQ(LiveGdiObjects().fonts, before.fonts);
        // Releasing the DC frees what it still holds.
        HBRUSH brush = CreateSolidBrush(0);
        SelectObject(canvas.dc(), brush);
        DeleteObject(brush);
        EXPECT_EQ(LiveGdiObjects().brushes, before.brushes + 1);
    }
    EXPECT_TRUE(SameCounts(LiveGdiObjects(), before));
}

TEST_F(ObjectLifetime, StockObjectsOutliveDeleteObject) {
    const auto before = LiveGdiObjects();
    const HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    ASSERT_NE(black, nullptr);
    EXPECT_TRUE(DeleteObject(black));
    EXPECT_EQ(GetStockObject(BLACK_BRUSH), black);
    EXPECT_NE(GetStockObject(BLACK_PEN), nullptr);
    EXPECT_NE(GetStockObject(NULL_BRUSH), black);
    EXPECT_EQ(GetStockObject(9), nullptr);  // no stock object has that number
    {
        gditest::Canvas canvas(2, 2, palette.data());
        SelectObject(canvas.dc(), black);
        PatBlt(canvas.dc(), 0, 0, 2, 2, PATCOPY);
        EXPECT_EQ(canvas.at(1, 1), 0);
    }
    EXPECT_TRUE(SameCounts(LiveGdiObjects(), before));
}

TEST_F(ObjectLifetime, TheReadersCharacterDrawingLeavesNothingBehind) {
    std::vector<uint8_t> page(640 * 480, 240);
    const posix::IndexedPixels pixels{640, 480, 640, page.data()};
    const auto before = LiveGdiObjects();
    int x = 10;
    for (int i = 0; i < 200; ++i) {
        HFONT font = CreateFontA(26, 0, 0, 0, 1000, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                                 gditest::kMinchoFace);
        HDC dc = posix::gdi::CreatePixelDC(pixels, palette.data());
        SetBkMode(dc, TRANSPARENT);
        const HGDIOBJ previous = SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32A(dc, "\x82\xA0", 2, &size);
        const COLORREF old = SetTextColor(dc, 0);
        TextOutA(dc, x % 600 + 3, 13, "\x82\xA0", 2);
        SetTextColor(dc, old);
        SetTextColor(dc, 0xFFFFFF);
        TextOutA(dc, x % 600, 10, "\x82\xA0", 2);
        SelectObject(dc, previous);
        posix::gdi::DestroyPixelDC(dc);
        DeleteObject(font);
        x += size.cx;
    }
    EXPECT_TRUE(SameCounts(LiveGdiObjects(), before));
    EXPECT_EQ(std::count(page.begin(), page.end(), 240) < 640 * 480, true);
}

TEST_F(ObjectLifetime, PixelDcsNeedRealPixels) {
    std::vector<uint8_t> store(16);
    EXPECT_EQ(posix::gdi::CreatePixelDC({4, 4, 4, nullptr}, palette.data()), nullptr);
    EXPECT_EQ(posix::gdi::CreatePixelDC({4, 4, 3, store.data()}, palette.data()), nullptr);
    EXPECT_EQ(posix::gdi::CreatePixelDC({0, 4, 4, store.data()}, palette.data()), nullptr);
    EXPECT_EQ(posix::gdi::CreatePixelDC({4, 4, 4, store.data()}, nullptr), nullptr);
    HDC dc = posix::gdi::CreatePixelDC({4, 4, 4, store.data()}, palette.data());
    ASSERT_NE(dc, nullptr);
    EXPECT_FALSE(DeleteDC(dc));  // a surface DC goes back through its surface
    posix::gdi::DestroyPixelDC(dc);
}

}  // namespace
