// BltFast and colour fills between the reader's surfaces: the key, bounds
// that write nothing, and fills.
#include "display_fixture.h"

namespace {

class BlitTest : public DisplayTest {
protected:
    // A 640x480 offscreen surface holding every index 0..255 on each row.
    LPDIRECTDRAWSURFACE EveryIndexSource() {
        LPDIRECTDRAWSURFACE source = MakeOffscreen();
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) PixelOf(source, x, y) = uint8_t(x + y);
        }
        return source;
    }
};

TEST_F(BlitTest, KeyedCopySkipsExactlyIndex240AndOpaqueCopiesEverything) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE text = EveryIndexSource();
    SetKey(text, 240);
    for (DWORD flags : {DWORD(DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DWORD(DDBLTFAST_WAIT)}) {
        Paint(back, 7);
        ASSERT_EQ(DD_OK, back->BltFast(0, 0, text, nullptr, flags));
        const bool keyed = flags & DDBLTFAST_SRCCOLORKEY;
        for (int y = 0; y < 480; y += 7) {
            for (int x = 0; x < 640; ++x) {
                const uint8_t source = uint8_t(x + y);
                ASSERT_EQ(keyed && source == 240 ? 7 : source, PixelOf(back, x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(BlitTest, PartialRectangleLandsAtTheGivenPoint) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen(100, 50);
    RECT area = {10, 20, 40, 30};
    ASSERT_EQ(DD_OK, target->BltFast(70, 40, source, &area, DDBLTFAST_WAIT));
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            const uint8_t want = x >= 70 && y >= 40 ? uint8_t((x - 60) + (y - 20)) : 0;
            ASSERT_EQ(want, PixelOf(target, x, y)) << x << "," << y;
        }
    }
}

TEST_F(BlitTest, RectanglesOutsideEitherSurfaceWriteNothing) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen();
    Paint(target, 3);
    const RECT badSources[] = {{600, 0, 641, 10}, {0, 470, 10, 481}, {-1, 0, 10, 10}, {5, 5, 5, 10}};
    for (RECT area : badSources) {
        EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(0, 0, source, &area, DDBLTFAST_WAIT));
    }
    RECT block = {0, 0, 100, 100};
    const DWORD badPoints[][2] = {{541, 0}, {0, 381}, {0xFFFFFF00u, 0}, {0, 0xFFFFFFF0u}};
    for (const auto& point : badPoints) {
        EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(point[0], point[1], source, &block, DDBLTFAST_WAIT));
    }
    EXPECT_EQ(DDERR_INVALIDRECT, target->BltFast(1, 0, source, nullptr, DDBLTFAST_WAIT));
    EXPECT_TRUE(AllAre(target, 3));
}

TEST_F(BlitTest, SourceKeysSingleOrRangeAndAKeyedCopyNeedsOne) {
    LPDIRECTDRAWSURFACE source = EveryIndexSource();
    LPDIRECTDRAWSURFACE target = MakeOffscreen();
    EXPECT_EQ(DDERR_NOCOLORKEY, target->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY));
    DDCOLORKEY tooHigh = {256, 0};
    EXPECT_EQ(DDERR_INVALIDPARAMS, source->SetColorKey(DDCKEY_SRCBLT, &tooHigh));
    EXPECT_TRUE(AllAre(target, 0));

    Paint(target, 1);
    DDCOLORKEY range = {100, 109};
    ASSERT_EQ(DD_OK, source->SetColorKey(DDCKEY_SRCBLT | DDCKEY_COLORSPACE, &range));
    ASSERT_EQ(DD_OK, target->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY));
    for (int x = 0; x < 256; ++x) EXPECT_EQ(x >= 100 && x <= 109 ? 1 : x, PixelOf(target, x, 0)) << x;
}

TEST_F(BlitTest, ColourFillOfTheWholeSurfaceOrARectangle) {
    MakeFlippingPair();
    Paint(back, 9);
    DDBLTFX fx = Fill(42);
    RECT area = {10, 20, 30, 25};
    ASSERT_EQ(DD_OK, back->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 20 && y < 25;
            ASSERT_EQ(inside ? 42 : 9, PixelOf(back, x, y)) << x << "," << y;
        }
    }
    fx = Fill(0);
    ASSERT_EQ(DD_OK, back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    EXPECT_TRUE(AllAre(back, 0));
}

TEST_F(BlitTest, ColourFillRefusesABadDescriptionOrRectangle) {
    LPDIRECTDRAWSURFACE surface = MakeOffscreen();
    Paint(surface, 9);
    DDBLTFX fx = Fill(1);
    fx.dwSize -= 4;
    EXPECT_EQ(DDERR_INVALIDPARAMS, surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    EXPECT_EQ(DDERR_INVALIDPARAMS, surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr));
    fx = Fill(1);
    RECT outside = {600, 400, 641, 480};
    EXPECT_EQ(DDERR_INVALIDRECT, surface->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    EXPECT_TRUE(AllAre(surface, 9));
}

}  // namespace
