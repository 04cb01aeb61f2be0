// The flipping pair, and surfaces lost on a switch away from exclusive mode.
#include "display_fixture.h"

namespace {

class FlipTest : public DisplayTest {};

TEST_F(FlipTest, PagesExchangeWhileThePointersStay) {
    MakeFlippingPair();
    Paint(front, 1);
    Paint(back, 2);
    const LPDIRECTDRAWSURFACE frontBefore = front;
    ASSERT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_TRUE(AllAre(front, 2));  // the former back page is what the front shows
    EXPECT_TRUE(AllAre(back, 1));

    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE again = nullptr;
    ASSERT_EQ(DD_OK, front->GetAttachedSurface(&caps, &again));
    EXPECT_EQ(back, again);
    EXPECT_EQ(frontBefore, front);
    again->Release();

    ASSERT_EQ(DD_OK, front->Flip(back, DDFLIP_WAIT));  // naming the back page is the same
    EXPECT_TRUE(AllAre(front, 1));
    EXPECT_TRUE(AllAre(back, 2));
}

TEST_F(FlipTest, OnlyThePrimaryOfAChainFlips) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE offscreen = MakeOffscreen();
    EXPECT_EQ(DDERR_NOTFLIPPABLE, back->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_EQ(DDERR_NOTFLIPPABLE, offscreen->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_EQ(DDERR_INVALIDPARAMS, front->Flip(offscreen, DDFLIP_WAIT));
}

TEST_F(FlipTest, FlipAndPaletteChangesPresentTheFrontPageThroughThePalette) {
    MakeFlippingPair();
    std::vector<PALETTEENTRY> colours = Ramp();
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, colours);
    ASSERT_EQ(DD_OK, front->SetPalette(palette));
    Paint(back, 77);
    const int before = testhooks::PresentCount();
    ASSERT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_GT(testhooks::PresentCount(), before);

    testhooks::RgbImage picture;
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    ASSERT_EQ(640, picture.width);
    const uint8_t* rgb = picture.At(320, 240);
    EXPECT_EQ(colours[77].peRed, rgb[0]);
    EXPECT_EQ(colours[77].peGreen, rgb[1]);
    EXPECT_EQ(colours[77].peBlue, rgb[2]);

    colours[77] = PALETTEENTRY{200, 100, 50, 0};
    const int beforeChange = testhooks::PresentCount();
    ASSERT_EQ(DD_OK, palette->SetEntries(0, 0, 256, colours.data()));
    EXPECT_GT(testhooks::PresentCount(), beforeChange);
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    EXPECT_EQ(200, picture.At(10, 10)[0]);
    EXPECT_EQ(100, picture.At(10, 10)[1]);
    EXPECT_EQ(50, picture.At(10, 10)[2]);
}

class LossTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        MakeFlippingPair();
        backdrop = MakeOffscreen();
        SetKey(backdrop, 240);
        Paint(backdrop, 5);
        Paint(back, 6);
    }
    LPDIRECTDRAWSURFACE backdrop = nullptr;
};

TEST_F(LossTest, DrawingFailsWhileLost) {
    testhooks::SwitchAway();
    for (LPDIRECTDRAWSURFACE surface : {front, back, backdrop}) {
        EXPECT_EQ(DDERR_SURFACELOST, surface->IsLost());
    }
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof(fx));
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 1;
    EXPECT_EQ(DDERR_SURFACELOST, back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    EXPECT_EQ(DDERR_SURFACELOST, back->BltFast(0, 0, backdrop, nullptr, DDBLTFAST_WAIT));
    EXPECT_EQ(DDERR_SURFACELOST, front->Flip(nullptr, DDFLIP_WAIT));
    HDC dc = nullptr;
    EXPECT_EQ(DDERR_SURFACELOST, backdrop->GetDC(&dc));
    EXPECT_EQ(nullptr, dc);
    EXPECT_TRUE(AllAre(back, 6));
    EXPECT_TRUE(AllAre(front, 0));
}

TEST_F(LossTest, RestoreFailsWhileInactiveAndWorksAfterReactivation) {
    testhooks::SwitchAway();
    EXPECT_NE(DD_OK, backdrop->Restore());
    EXPECT_NE(DD_OK, front->Restore());
    EXPECT_EQ(DDERR_SURFACELOST, front->IsLost());

    testhooks::SwitchBack();
    EXPECT_EQ(DDERR_SURFACELOST, front->IsLost());  // focus alone brings nothing back
    EXPECT_EQ(DD_OK, backdrop->Restore());
    EXPECT_EQ(DD_OK, backdrop->IsLost());
    EXPECT_EQ(DD_OK, front->Restore());
    EXPECT_EQ(DD_OK, back->IsLost());  // the back buffer returns with its chain
    EXPECT_TRUE(AllAre(backdrop, 5));  // pixels kept across the loss
    EXPECT_EQ(DD_OK, back->BltFast(0, 0, backdrop, nullptr, DDBLTFAST_WAIT));
    EXPECT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_TRUE(AllAre(front, 5));
}

TEST_F(LossTest, BackBufferIsNotRestoredOnItsOwn) {
    testhooks::MarkAllSurfacesLost();
    EXPECT_NE(DD_OK, back->Restore());
    EXPECT_EQ(DDERR_SURFACELOST, back->IsLost());
    EXPECT_EQ(DD_OK, front->Restore());
    EXPECT_EQ(DD_OK, back->IsLost());
}

TEST_F(LossTest, RestoringAllThatIsNotLostIsHarmless) {
    EXPECT_EQ(DD_OK, front->IsLost());
    EXPECT_EQ(DD_OK, front->Restore());
    EXPECT_EQ(DD_OK, backdrop->Restore());
    EXPECT_TRUE(AllAre(backdrop, 5));
}

TEST_F(LossTest, WithoutExclusiveModeASwitchLosesNothing) {
    ASSERT_EQ(DD_OK, dd->SetCooperativeLevel(window, DDSCL_NORMAL));
    testhooks::SwitchAway();
    EXPECT_EQ(DD_OK, backdrop->IsLost());
    testhooks::SwitchBack();
}

TEST_F(LossTest, RestoringTheDisplayModeLosesThePrimaryUntilTheModeIsBack) {
    ASSERT_EQ(DD_OK, dd->RestoreDisplayMode());
    EXPECT_EQ(DDERR_SURFACELOST, front->IsLost());
    EXPECT_EQ(DDERR_WRONGMODE, front->Restore());
    ASSERT_EQ(DD_OK, dd->SetDisplayMode(640, 480, 8));
    EXPECT_EQ(DD_OK, front->Restore());
    EXPECT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
}

}  // namespace
