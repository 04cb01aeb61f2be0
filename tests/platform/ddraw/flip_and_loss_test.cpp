// The flipping pair, what reaches the screen, and surfaces lost on a switch
// away from exclusive mode.
#include "display_fixture.h"

namespace {

class FlipTest : public DisplayTest {};

TEST_F(FlipTest, PagesExchangeWhileThePointersStay) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE offscreen = MakeOffscreen();
    Paint(front, 1);
    Paint(back, 2);
    ASSERT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_TRUE(AllAre(front, 2));  // the front pointer shows the former back page
    EXPECT_TRUE(AllAre(back, 1));
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE again = nullptr;
    ASSERT_EQ(DD_OK, front->GetAttachedSurface(&caps, &again));
    EXPECT_EQ(back, again);
    again->Release();

    ASSERT_EQ(DD_OK, front->Flip(back, DDFLIP_WAIT));  // naming the back page is the same
    EXPECT_TRUE(AllAre(front, 1));
    EXPECT_EQ(DDERR_NOTFLIPPABLE, back->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_EQ(DDERR_NOTFLIPPABLE, offscreen->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_EQ(DDERR_INVALIDPARAMS, front->Flip(offscreen, DDFLIP_WAIT));
}

TEST_F(FlipTest, ScreenShowsTheFrontPageThroughThePalette) {
    MakeFlippingPair();
    std::vector<PALETTEENTRY> colours = Ramp();
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, colours);
    ASSERT_EQ(DD_OK, front->SetPalette(palette));
    Paint(back, 77);
    int presents = testhooks::PresentCount();
    ASSERT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_GT(testhooks::PresentCount(), presents);  // at once, not at the next pump
    testhooks::RgbImage picture;
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    EXPECT_EQ(colours[77].peRed, picture.At(320, 240)[0]);
    EXPECT_EQ(colours[77].peGreen, picture.At(320, 240)[1]);

    colours[77] = PALETTEENTRY{200, 100, 50, 0};
    presents = testhooks::PresentCount();
    ASSERT_EQ(DD_OK, palette->SetEntries(0, 0, 256, colours.data()));
    EXPECT_GT(testhooks::PresentCount(), presents);
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    EXPECT_EQ(200, picture.At(10, 10)[0]);
    EXPECT_EQ(50, picture.At(10, 10)[2]);
}

TEST_F(FlipTest, DrawingOnTheFrontPageShowsAtTheNextPumpDrawingBehindItDoesNot) {
    testhooks::UseTestClock(1000, false);  // presents at the pump are at most one a frame
    MakeFlippingPair();
    ASSERT_EQ(DD_OK, front->SetPalette(MakePalette(DDPCAPS_8BIT, Ramp())));
    testhooks::AdvanceTestClock(100);
    DDBLTFX fx = Fill(33);
    MSG message;
    ASSERT_EQ(DD_OK, back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    int presents = testhooks::PresentCount();
    PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(presents, testhooks::PresentCount());

    ASSERT_EQ(DD_OK, front->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    EXPECT_GT(testhooks::PresentCount(), presents);
    testhooks::RgbImage picture;
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    EXPECT_EQ(33, picture.At(0, 0)[0]);
}

class LossTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        MakeFlippingPair();
        backdrop = MakeOffscreen();
        Paint(backdrop, 5);
        Paint(back, 6);
    }
    LPDIRECTDRAWSURFACE backdrop = nullptr;
};

TEST_F(LossTest, DrawingFailsWhileLostAndWritesNothing) {
    testhooks::MarkAllSurfacesLost();
    for (LPDIRECTDRAWSURFACE surface : {front, back, backdrop}) {
        EXPECT_EQ(DDERR_SURFACELOST, surface->IsLost());
    }
    DDBLTFX fx = Fill(1);
    EXPECT_EQ(DDERR_SURFACELOST, back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx));
    EXPECT_EQ(DDERR_SURFACELOST, back->BltFast(0, 0, backdrop, nullptr, DDBLTFAST_WAIT));
    EXPECT_EQ(DDERR_SURFACELOST, front->Flip(nullptr, DDFLIP_WAIT));
    HDC dc = nullptr;
    EXPECT_EQ(DDERR_SURFACELOST, backdrop->GetDC(&dc));
    EXPECT_TRUE(AllAre(back, 6));
    EXPECT_TRUE(AllAre(front, 0));
}

TEST_F(LossTest, EachSurfaceIsRestoredOnItsOwnAndTheBackBufferWithItsChain) {
    EXPECT_EQ(DD_OK, backdrop->Restore());  // nothing lost: nothing to do
    testhooks::MarkAllSurfacesLost();
    EXPECT_NE(DD_OK, back->Restore());  // not on its own
    EXPECT_EQ(DD_OK, backdrop->Restore());
    EXPECT_EQ(DDERR_SURFACELOST, front->IsLost());
    EXPECT_EQ(DD_OK, front->Restore());
    EXPECT_EQ(DD_OK, back->IsLost());  // it returns with its chain
    EXPECT_TRUE(AllAre(backdrop, 5));  // pixels kept across the loss
    EXPECT_EQ(DD_OK, back->BltFast(0, 0, backdrop, nullptr, DDBLTFAST_WAIT));
    EXPECT_EQ(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_TRUE(AllAre(front, 5));
}

TEST_F(LossTest, ASwitchToAnotherProgramLosesNothing) {
    testhooks::PushFocus(false);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(DD_OK, backdrop->IsLost());
    EXPECT_EQ(DD_OK, front->IsLost());
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
