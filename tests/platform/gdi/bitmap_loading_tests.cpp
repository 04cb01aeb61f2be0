// LoadImageA of bitmap resources: the shapes that load and the ones refused.
#include "dib_builder.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

using gditest::Canvas;
using gditest::DibShape;

// Loads the resource and copies it onto a canvas of its size.
void ExpectPicture(const std::string& name, const DibShape& shape) {
    const auto palette = gditest::ReaderPalette();
    const int bitmapsBefore = testhooks::LiveGdiObjects().bitmaps;
    HBITMAP bitmap = gditest::LoadBitmapResource(name);
    ASSERT_NE(bitmap, nullptr) << name;
    EXPECT_EQ(testhooks::LiveGdiObjects().bitmaps, bitmapsBefore + 1);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    posix::IndexedPixels pixels;
    ASSERT_TRUE(testhooks::DeviceContextTarget(memory, &pixels));
    EXPECT_EQ(pixels.width, shape.width);
    EXPECT_EQ(pixels.height, shape.height);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            ASSERT_EQ(pixels.pixels[y * pixels.pitch + x], shape.pixel(x, y)) << x << "," << y;
    Canvas canvas(shape.width, shape.height, palette.data());
    BitBlt(canvas.dc(), 0, 0, shape.width, shape.height, memory, 0, 0, SRCCOPY);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x) ASSERT_EQ(canvas.at(x, y), shape.pixel(x, y));
    SelectObject(memory, previous);
    DeleteDC(memory);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(testhooks::LiveGdiObjects().bitmaps, bitmapsBefore);
}

void ExpectRefused(const std::string& name, std::vector<unsigned char> data) {
    gditest::AddBitmapResource(name, std::move(data));
    const int bitmapsBefore = testhooks::LiveGdiObjects().bitmaps;
    EXPECT_EQ(gditest::LoadBitmapResource(name), nullptr) << name;
    EXPECT_EQ(testhooks::LiveGdiObjects().bitmaps, bitmapsBefore);
}

DibShape ReaderShape() {
    DibShape shape;
    shape.width = 13;
    shape.height = 5;
    shape.table = gditest::TableOf(gditest::ReaderPalette().data());
    return shape;
}

TEST(BitmapLoading, BottomUpAndTopDownRowsComeOutTopRowFirst) {
    DibShape bottomUp = ReaderShape();
    gditest::AddBitmapResource("LOAD_BOTTOM_UP", gditest::BuildDib(bottomUp));
    ExpectPicture("LOAD_BOTTOM_UP", bottomUp);
    DibShape topDown = ReaderShape();
    topDown.topDown = true;
    gditest::AddBitmapResource("LOAD_TOP_DOWN", gditest::BuildDib(topDown));
    ExpectPicture("LOAD_TOP_DOWN", topDown);
}

TEST(BitmapLoading, TheColourTableIsFoundAfterALargerHeader) {
    DibShape shape = ReaderShape();
    shape.headerSize = 108;  // a version 4 header
    gditest::AddBitmapResource("LOAD_V4", gditest::BuildDib(shape));
    ExpectPicture("LOAD_V4", shape);
    // A two-colour table after a version 5 header: index 1 shows yellow only
    // if the table was read from where the header ends.
    DibShape small;
    small.width = 1;
    small.height = 1;
    small.headerSize = 124;
    small.coloursUsed = 2;
    small.table = {{0, 0, 0, 0}, {0, 0xFF, 0xFF, 0}};  // black, yellow
    small.pixel = [](int, int) { return uint8_t(1); };
    gditest::AddBitmapResource("LOAD_V5_SMALL_TABLE", gditest::BuildDib(small));
    HBITMAP bitmap = gditest::LoadBitmapResource("LOAD_V5_SMALL_TABLE");
    ASSERT_NE(bitmap, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const auto palette = gditest::ReaderPalette();
    Canvas canvas(1, 1, palette.data());
    BitBlt(canvas.dc(), 0, 0, 1, 1, memory, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.at(0, 0), 224);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

TEST(BitmapLoading, MalformedResourcesGiveNull) {
    const std::vector<unsigned char> good = gditest::BuildDib(ReaderShape());
    ExpectRefused("BAD_TRUNCATED_PIXELS", {good.begin(), good.end() - 1});
    ExpectRefused("BAD_TRUNCATED_TABLE", {good.begin(), good.begin() + 40 + 100});
    ExpectRefused("BAD_TRUNCATED_HEADER", {good.begin(), good.begin() + 20});
    ExpectRefused("BAD_EMPTY", {});

    const auto refuse = [](const std::string& name, void (*change)(DibShape&)) {
        DibShape shape = ReaderShape();
        change(shape);
        ExpectRefused(name, gditest::BuildDib(shape));
    };
    refuse("BAD_24_BITS", [](DibShape& s) { s.bitCount = 24; });
    refuse("BAD_4_BITS", [](DibShape& s) { s.bitCount = 4; });
    refuse("BAD_RLE", [](DibShape& s) { s.compression = 1; });
    refuse("BAD_TOO_MANY_COLOURS", [](DibShape& s) { s.coloursUsed = 300; });
    refuse("BAD_SMALL_HEADER", [](DibShape& s) { s.headerSize = 12; });
    refuse("BAD_ZERO_WIDTH", [](DibShape& s) { s.width = 0; });
    refuse("BAD_ZERO_HEIGHT", [](DibShape& s) { s.height = 0; });

    // Sizes whose product overflows 32 bits must not pass the length check.
    std::vector<unsigned char> huge = good;
    BITMAPINFOHEADER header;
    std::memcpy(&header, huge.data(), sizeof header);
    header.biWidth = 0x40000000;
    header.biHeight = 4;
    std::memcpy(huge.data(), &header, sizeof header);
    ExpectRefused("BAD_HUGE_WIDTH", huge);
    header.biWidth = 13;
    header.biHeight = -2147483647 - 1;
    std::memcpy(huge.data(), &header, sizeof header);
    ExpectRefused("BAD_HUGE_HEIGHT", huge);
    header.biHeight = 5;
    header.biSize = 0xFFFFFFF0u;
    std::memcpy(huge.data(), &header, sizeof header);
    ExpectRefused("BAD_HUGE_HEADER", huge);
}

TEST(BitmapLoading, OnlyBitmapsOfTheProgramAtTheirOwnSize) {
    gditest::AddBitmapResource("LOAD_SIZE", gditest::BuildDib(ReaderShape()));
    const HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(LoadImageA(module, "NO_SUCH_BITMAP", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(module, "LOAD_SIZE", 1 /* IMAGE_ICON */, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImageA(module, "LOAD_SIZE", IMAGE_BITMAP, 26, 10, LR_CREATEDIBSECTION), nullptr);
    HANDLE own = LoadImageA(module, "load_size", IMAGE_BITMAP, 13, 5, LR_CREATEDIBSECTION);
    EXPECT_NE(own, nullptr);
    DeleteObject(own);
}

}  // namespace
