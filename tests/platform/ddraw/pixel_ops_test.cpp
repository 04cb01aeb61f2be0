// Copies and fills on raw pages: exactness of the keyed word loop, overlap
// within one page, and the rectangle checks every blit relies on.
#include "platform/posix/ddraw/pixel_ops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using posix::IndexedPixels;
using posix::ddraw::BlockFits;
using posix::ddraw::CopyKeyed;
using posix::ddraw::CopyOpaque;
using posix::ddraw::FillRect;
using posix::ddraw::KeyRange;
using posix::ddraw::RectFits;

struct Page {
    Page(int w, int h, int p) : bytes(static_cast<size_t>(p) * h, 0) {
        view.width = w;
        view.height = h;
        view.pitch = p;
        view.pixels = bytes.data();
    }
    uint8_t& At(int x, int y) { return bytes[static_cast<size_t>(y) * view.pitch + x]; }
    std::vector<uint8_t> bytes;
    IndexedPixels view;
};

// A page in which every index 0..255 appears, in a scrambled order.
Page EveryIndexPage(int w, int h) {
    Page page(w, h, w);
    for (size_t i = 0; i < page.bytes.size(); ++i) page.bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    return page;
}

void ReferenceKeyedCopy(const Page& from, const RECT& r, Page& to, int x, int y, KeyRange key) {
    for (int row = r.top; row < r.bottom; ++row) {
        for (int col = r.left; col < r.right; ++col) {
            const uint8_t v = from.bytes[static_cast<size_t>(row) * from.view.pitch + col];
            if (v < key.low || v > key.high) to.At(x + col - r.left, y + row - r.top) = v;
        }
    }
}

TEST(KeyedCopy, SkipsExactlyTheKeyForEveryKeyWidthAndOffset) {
    const Page source = EveryIndexPage(64, 8);
    for (int key : {0, 1, 127, 128, 129, 240, 254, 255}) {
        for (int left : {0, 1, 3, 7}) {
            for (int width : {1, 7, 8, 9, 15, 16, 17, 40}) {
                Page got(64, 8, 64), want(64, 8, 64);
                for (size_t i = 0; i < got.bytes.size(); ++i) got.bytes[i] = want.bytes[i] = 0xAA;
                const RECT r{left, 0, left + width, 8};
                const KeyRange k{static_cast<uint8_t>(key), static_cast<uint8_t>(key)};
                CopyKeyed(source.view, r, got.view, 2, 0, k);
                ReferenceKeyedCopy(source, r, want, 2, 0, k);
                ASSERT_EQ(want.bytes, got.bytes) << "key " << key << " left " << left
                                                 << " width " << width;
            }
        }
    }
}

TEST(KeyedCopy, RangeKeySkipsLowToHighInclusive) {
    Page source(8, 1, 8), target(8, 1, 8);
    const uint8_t values[8] = {9, 10, 11, 15, 20, 21, 0, 255};
    for (int i = 0; i < 8; ++i) source.At(i, 0) = values[i];
    CopyKeyed(source.view, RECT{0, 0, 8, 1}, target.view, 0, 0, KeyRange{10, 20});
    const std::vector<uint8_t> want = {9, 0, 0, 0, 0, 21, 0, 255};
    EXPECT_EQ(want, target.bytes);
}

// Moves a 5x5 block inside one 12x12 page and compares with a copy made
// through a separate page.
void ExpectOverlapSafe(bool keyed, int fromX, int fromY, int toX, int toY) {
    Page page = EveryIndexPage(12, 12);
    Page before = page;
    Page want = page;
    const RECT r{fromX, fromY, fromX + 5, fromY + 5};
    const KeyRange key{240, 240};
    if (keyed) {
        ReferenceKeyedCopy(before, r, want, toX, toY, key);
        CopyKeyed(page.view, r, page.view, toX, toY, key);
    } else {
        ReferenceKeyedCopy(before, r, want, toX, toY, KeyRange{1, 0});  // empty range: copies all
        CopyOpaque(page.view, r, page.view, toX, toY);
    }
    EXPECT_EQ(want.bytes, page.bytes) << (keyed ? "keyed " : "opaque ") << fromX << "," << fromY
                                      << " -> " << toX << "," << toY;
}

TEST(CopyWithinOnePage, OverlappingMovesInEveryDirection) {
    for (bool keyed : {false, true}) {
        ExpectOverlapSafe(keyed, 2, 2, 4, 4);  // down right
        ExpectOverlapSafe(keyed, 4, 4, 2, 2);  // up left
        ExpectOverlapSafe(keyed, 2, 3, 5, 3);  // right, same rows
        ExpectOverlapSafe(keyed, 5, 3, 2, 3);  // left, same rows
        ExpectOverlapSafe(keyed, 3, 2, 3, 6);  // straight down
    }
}

TEST(Fill, TouchesOnlyTheRectangleAndNotThePitchPadding) {
    Page page(6, 4, 8);
    FillRect(page.view, RECT{1, 1, 6, 3}, 9);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x < 6 && y >= 1 && y < 3;
            EXPECT_EQ(inside ? 9 : 0, page.At(x, y)) << x << "," << y;
        }
    }
}

TEST(Rectangles, FitOnlyWhenNonEmptyAndWhollyInside) {
    EXPECT_TRUE(RectFits(RECT{0, 0, 640, 480}, 640, 480));
    EXPECT_TRUE(RectFits(RECT{639, 479, 640, 480}, 640, 480));
    EXPECT_FALSE(RectFits(RECT{0, 0, 641, 480}, 640, 480));
    EXPECT_FALSE(RectFits(RECT{0, 0, 640, 481}, 640, 480));
    EXPECT_FALSE(RectFits(RECT{-1, 0, 10, 10}, 640, 480));
    EXPECT_FALSE(RectFits(RECT{5, 5, 5, 10}, 640, 480));   // empty
    EXPECT_FALSE(RectFits(RECT{5, 10, 9, 4}, 640, 480));   // upside down

    EXPECT_TRUE(BlockFits(0, 0, 640, 480, 640, 480));
    EXPECT_TRUE(BlockFits(630, 470, 10, 10, 640, 480));
    EXPECT_FALSE(BlockFits(631, 0, 10, 10, 640, 480));
    EXPECT_FALSE(BlockFits(0, 471, 10, 10, 640, 480));
    EXPECT_FALSE(BlockFits(0xFFFFFFF0u, 0, 32, 1, 640, 480));  // would wrap in 32 bits
    EXPECT_FALSE(BlockFits(0, 0, 0, 10, 640, 480));
}

}  // namespace
