// BltFast and colour fills between the reader's surfaces: the key, bounds,
// copies within one surface.
#include "display_fixture.h"

namespace {

class BlitTest : public DisplayTest {
protected:
    // A 640x480 source holding every index 0..255 on each row.
    LPDIRECTDRAWSURFACE EveryIndexSource() {
        LPDIRECTDRAWSURFACE source = MakeOffscreen();
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) PixelOf(source, x, y) = static_cast<uint8_t>(x + y);
        }
        return source;
    }
};

TEST_F(BlitTest, KeyedCopySkipsExactlyIndex240AndCopiesIndexZero) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE text = EveryIndexSource();
    SetKey(text, 240);
    Paint(back, 7);
    ASSERT_EQ(DD_OK, back->BltFast(0, 0, text, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT));
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 640; ++x) {
            const uint8_t source = static_cast<uint8_t>(x + y);
            ASSERT_EQ(source == 240 ? 7 : source, PixelOf(back, x, y)) << x << "," << y;
        }
    }
}

TEST_F(BlitTest, OpaqueCopyIsExactEvenForTheKeyIndex) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE backdrop = EveryIndexSource();
    SetKey(backdrop, 240);
    Paint(back, 7);
    ASSERT_EQ(DD_OK, back->BltFast(0, 0, backdrop, nullptr, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT));
    EXPECT_EQ(Snapshot(backdrop), Snapshot(back));
}

TEST_F(BlitTest, PartialRectangleLandsAtTheGivenPoint) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen(100, 50);
    RECT area = {10, 20, 40, 30};
    ASSERT_EQ(DD_OK, target->BltFast(70, 40, source, &area, DDBLTFAST_WAIT));
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= 70 && y >= 40;
            const uint8_t want = inside ? static_cast<uint8_t>((x - 60) + (y - 20)) : 0;
            ASSERT_EQ(want, PixelOf(target, x, y)) << x << "," << y;
        }
    }
}

TEST_F(BlitTest, RectanglesOutsideEitherSurfaceWriteNothing) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen();
    Paint(target, 3);
    RECT pastRight = {600, 0, 641, 10};
    RECT pastBottom = {0, 470, 10, 481};
    RECT negative = {-1, 0, 10, 10};
    RECT empty = {5, 5, 5, 10};
    for (RECT* area : {&pastRight, &pastBottom, &negative, &empty}) {
        EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(0, 0, source, area, DDBLTFAST_WAIT));
    }
    RECT inside = {0, 0, 100, 100};
    EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(541, 0, source, &inside, DDBLTFAST_WAIT));
    EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(0, 381, source, &inside, DDBLTFAST_WAIT));
    EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(0xFFFFFF00u, 0, source, &inside, DDBLTFAST_WAIT));
    EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(1, 0, source, nullptr, DDBLTFAST_WAIT));
    EXPECT_TRUE(AllAre(target, 3));
}

TEST_F(BlitTest, KeyedCopyNeedsAKeyOnTheSource) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen();
    EXPECT_EQ(DDERR_NOCOLORKEY, target->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY));
    EXPECT_TRUE(AllAre(target, 0));
    ASSERT_EQ(DD_OK, source->SetColorKey(DDCKEY_SRCBLT, nullptr));  // removing is allowed too
    DDCOLORKEY tooHigh = {256, 0};
    EXPECT_EQ(DDERR_INVALIDPARAMS, source->SetColorKey(DDCKEY_SRCBLT, &tooHigh));
}

TEST_F(BlitTest, ColourSpaceKeySkipsAWholeRange) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen();
    Paint(target, 1);
    DDCOLORKEY range = {100, 109};
    ASSERT_EQ(DD_OK, source->SetColorKey(DDCKEY_SRCBLT | DDCKEY_COLORSPACE, &range));
    ASSERT_EQ(DD_OK, target->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY));
    for (int x = 0; x < 256; ++x) {
        EXPECT_EQ(x >= 100 && x <= 109 ? 1 : x, PixelOf(target, x, 0)) << x;
    }
}

TEST_F(BlitTest, CopyWithinOneSurfaceReadsBeforeItWrites) {
    LPDIRECTDRAWSURFACE surface = EveryIndexSource();
    const std::vector<uint8_t> before = Snapshot(surface);
    RECT area = {0, 0, 300, 200};
    ASSERT_EQ(DD_OK, surface->BltFast(5, 3, surface, &area, DDBLTFAST_WAIT));
    for (int y = 3; y < 203; ++y) {
        for (int x = 5; x < 305; ++x) {
            ASSERT_EQ(before[(y - 3) * 640 + (x - 5)], PixelOf(surface, x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(before[0], PixelOf(surface, 0, 0));  // outside the block: untouched
}

TEST_F(BlitTest, ColourFillWholeSurfaceOrRectangle) {
    MakeFlippingPair();
    Paint(back, 9);
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof(fx));
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 42;
    RECT area = {10, 20, 30, 25};
    ASSERT_EQ(DD_OK, back->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 20 && y < 25;
            ASSERT_EQ(inside ? 42 : 9, PixelOf(back, x, y)) << x << "," << y;
        }
    }
    fx.dwFillColor = 0;
    ASSERT_EQ(DD_OK, back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    EXPECT_TRUE(AllAre(back, 0));
}

TEST_F(BlitTest, ColourFillChecksItsArguments) {
    LPDIRECTDRAWSURFACE surface = MakeOffscreen();
    Paint(surface, 9);
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof(fx));
    fx.dwSize = sizeof(fx) - 4;
    fx.dwFillColor = 1;
    EXPECT_EQ(DDERR_INVALIDPARAMS, surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    EXPECT_EQ(DDERR_INVALIDPARAMS, surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr));
    fx.dwSize = sizeof(fx);
    RECT outside = {600, 400, 641, 480};
    EXPECT_EQ(DDERR_INVALIDRECT, surface->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    EXPECT_TRUE(AllAre(surface, 9));
}

}  // namespace
