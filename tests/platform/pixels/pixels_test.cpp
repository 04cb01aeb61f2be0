// The page copies against a plain byte-by-byte reference: the keyed word loop
// for every kind of key and row length, and moves within one page.
#include "platform/posix/pixels/pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using posix::pixels::KeyRange;

struct Page {
    Page(int w, int h) : bytes(static_cast<size_t>(w) * h) {
        // Runs of neighbours (k, k+1) and scrambled runs: word tricks go wrong on both.
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t((i / 16) % 2 ? i * 37 + 11 : i);
        view = posix::IndexedPixels{w, h, w, bytes.data()};
    }
    std::vector<uint8_t> bytes;
    posix::IndexedPixels view;
};

// Takes the source by value: for a move within one page it reads the page as it was.
void ReferenceCopy(std::vector<uint8_t> from, const RECT& r, Page& to, int x, int y,
                   KeyRange key) {
    const int pitch = to.view.pitch;
    for (int row = r.top; row < r.bottom; ++row) {
        for (int col = r.left; col < r.right; ++col) {
            const uint8_t v = from[row * pitch + col];
            if (v < key.low || v > key.high) to.bytes[(y + row - r.top) * pitch + x + col - r.left] = v;
        }
    }
}

TEST(KeyedCopy, MatchesTheReferenceForEveryKeyOffsetAndWidth) {
    const Page source(64, 8);
    for (int key : {0, 1, 127, 128, 129, 240, 254, 255}) {
        for (int left : {0, 1, 3, 7}) {
            for (int width : {1, 7, 8, 9, 16, 17, 40}) {
                Page got(64, 8), want(64, 8);
                const RECT r{left, 0, left + width, 8};
                const KeyRange k{uint8_t(key), uint8_t(key)};
                posix::pixels::CopyKeyed(source.view, r, got.view, 2, 0, k);
                ReferenceCopy(source.bytes, r, want, 2, 0, k);
                ASSERT_EQ(want.bytes, got.bytes) << key << " " << left << " " << width;
            }
        }
    }
}

TEST(CopyWithinOnePage, OverlappingMovesInEveryDirectionReadBeforeWriting) {
    const int moves[][4] = {{2, 2, 4, 4}, {4, 4, 2, 2}, {2, 3, 5, 3}, {5, 3, 2, 3}, {3, 2, 3, 6}};
    for (bool keyed : {false, true}) {
        for (const auto& m : moves) {
            Page page(12, 12), want(12, 12);
            const RECT r{m[0], m[1], m[0] + 5, m[1] + 5};
            const KeyRange key = keyed ? KeyRange{240, 240} : KeyRange{1, 0};  // {1,0}: skips none
            ReferenceCopy(page.bytes, r, want, m[2], m[3], key);
            if (keyed) {
                posix::pixels::CopyKeyed(page.view, r, page.view, m[2], m[3], key);
            } else {
                posix::pixels::CopyOpaque(page.view, r, page.view, m[2], m[3]);
            }
            EXPECT_EQ(want.bytes, page.bytes) << keyed << ": " << m[0] << "," << m[1] << " -> "
                                              << m[2] << "," << m[3];
        }
    }
}

}  // namespace
