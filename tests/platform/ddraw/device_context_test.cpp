// GetDC and ReleaseDC: one context at a time, drawing that lands on the
// surface's own pixels with colours matched to the palette on show.
#include "display_fixture.h"

namespace {

class DeviceContextTest : public DisplayTest {};

TEST_F(DeviceContextTest, OneContextAtATimeAndBlitsWaitForItsReturn) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE source = MakeOffscreen();
    Paint(source, 4);
    HDC dc = nullptr;
    HDC second = nullptr;
    ASSERT_EQ(DD_OK, back->GetDC(&dc));
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(DDERR_DCALREADYCREATED, back->GetDC(&second));
    EXPECT_NE(DD_OK, back->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT));
    EXPECT_NE(DD_OK, front->Flip(nullptr, DDFLIP_WAIT));
    EXPECT_TRUE(AllAre(back, 0));
    EXPECT_EQ(DD_OK, back->ReleaseDC(dc));
    EXPECT_EQ(DDERR_NODC, back->ReleaseDC(dc));
    EXPECT_EQ(DD_OK, back->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT));
    ASSERT_EQ(DD_OK, back->GetDC(&second));
    EXPECT_EQ(DD_OK, back->ReleaseDC(second));
}

TEST_F(DeviceContextTest, GdiFillsTheSurfaceWithTheMatchedIndex) {
    MakeFlippingPair();
    std::vector<PALETTEENTRY> colours(256, PALETTEENTRY{128, 128, 128, 0});
    colours[240] = PALETTEENTRY{1, 1, 1, 0};
    ASSERT_EQ(DD_OK, front->SetPalette(MakePalette(DDPCAPS_8BIT, colours)));

    LPDIRECTDRAWSURFACE text = MakeOffscreen();
    HDC dc = nullptr;
    ASSERT_EQ(DD_OK, text->GetDC(&dc));
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    HGDIOBJ previous = SelectObject(dc, brush);
    EXPECT_TRUE(PatBlt(dc, 0, 0, 640, 480, PATCOPY));
    SelectObject(dc, previous);
    DeleteObject(brush);
    ASSERT_EQ(DD_OK, text->ReleaseDC(dc));
    EXPECT_TRUE(AllAre(text, 240));  // nearest to (1,1,1): not black 0
}

}  // namespace
