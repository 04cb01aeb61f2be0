// Creation and release: reference counts, the reader's release order, the
// failed start, and what set-up refuses.
#include "display_fixture.h"

namespace {

class LifetimeTest : public DisplayTest {};

testhooks::LiveDirectDrawObjects Live() { return testhooks::CountLiveDirectDrawObjects(); }

TEST_F(LifetimeTest, ReleaseInTheReadersOrderLeavesNothingAlive) {
    MakeFlippingPair();
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    ASSERT_EQ(DD_OK, front->SetPalette(palette));
    LPDIRECTDRAWSURFACE slots[4];
    for (LPDIRECTDRAWSURFACE& slot : slots) slot = MakeOffscreen();
    ASSERT_EQ(6, Live().surfaces);

    for (LPDIRECTDRAWSURFACE slot : slots) EXPECT_EQ(0u, slot->Release());
    EXPECT_EQ(2, Live().surfaces);
    EXPECT_EQ(1u, palette->Release());  // the primary still holds it
    EXPECT_EQ(1, Live().palettes);
    EXPECT_EQ(0u, front->Release());    // takes its back buffer and the palette with it
    EXPECT_EQ(0, Live().surfaces);
    EXPECT_EQ(0, Live().palettes);
    EXPECT_EQ(0u, dd->Release());
    dd = nullptr;
    EXPECT_EQ(0, Live().directDraws);
}

TEST_F(LifetimeTest, ReferencesAddedByAttachingAndQuerying) {
    MakeFlippingPair();
    const ULONG backHeld = testhooks::ReferenceCount(back);
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE again = nullptr;
    ASSERT_EQ(DD_OK, front->GetAttachedSurface(&caps, &again));
    EXPECT_EQ(backHeld + 1, testhooks::ReferenceCount(back));
    again->Release();
    back->Release();  // the chain still holds the back buffer
    EXPECT_EQ(2, Live().surfaces);

    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    ASSERT_EQ(DD_OK, front->SetPalette(palette));
    EXPECT_EQ(2u, testhooks::ReferenceCount(palette));
    ASSERT_EQ(DD_OK, front->SetPalette(nullptr));
    EXPECT_EQ(1u, testhooks::ReferenceCount(palette));

    const GUID unknownId = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    void* object = nullptr;
    ASSERT_EQ(DD_OK, front->QueryInterface(unknownId, &object));
    EXPECT_EQ(static_cast<IUnknown*>(front), object);
    EXPECT_EQ(2u, testhooks::ReferenceCount(front));
    front->Release();
    const GUID otherId = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    object = front;
    EXPECT_NE(DD_OK, dd->QueryInterface(otherId, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(1u, testhooks::ReferenceCount(dd));
}

TEST_F(LifetimeTest, ReleasingTheDirectDrawObjectFreesWhatItMade) {
    MakeFlippingPair();
    MakeOffscreen();
    MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    dd->Release();
    dd = nullptr;
    EXPECT_EQ(0, Live().surfaces);
    EXPECT_EQ(0, Live().palettes);
    // The screen was given back: a new object can take it again.
    ASSERT_EQ(DD_OK, DirectDrawCreate(nullptr, &dd, nullptr));
    ASSERT_EQ(DD_OK, dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN));
    EXPECT_EQ(DD_OK, dd->SetDisplayMode(640, 480, 8));
}

TEST_F(LifetimeTest, FailedCreateMakesNothing) {
    dd->Release();
    dd = nullptr;
    testhooks::FailNextDirectDrawCreate();
    LPDIRECTDRAW failed = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_NE(DD_OK, DirectDrawCreate(nullptr, &failed, nullptr));
    EXPECT_EQ(nullptr, failed);
    EXPECT_EQ(0, Live().directDraws);
    ASSERT_EQ(DD_OK, DirectDrawCreate(nullptr, &dd, nullptr));  // only the next one fails
}

TEST_F(LifetimeTest, DisplayModeNeedsExclusiveLevelAndEightBits) {
    LPDIRECTDRAW second = nullptr;
    ASSERT_EQ(DD_OK, DirectDrawCreate(nullptr, &second, nullptr));
    EXPECT_EQ(DDERR_NOEXCLUSIVEMODE, second->SetDisplayMode(640, 480, 8));
    EXPECT_NE(DD_OK, second->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN));
    EXPECT_NE(DD_OK, second->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN));
    second->Release();

    for (DWORD depth : {16u, 24u, 32u}) {
        const HRESULT result = dd->SetDisplayMode(640, 480, depth);
        EXPECT_TRUE(result == DDERR_INVALIDMODE || result == DDERR_UNSUPPORTED) << depth;
    }
}

TEST_F(LifetimeTest, SurfaceDescriptionsAreCheckedBeforeAnythingIsMade) {
    LPDIRECTDRAWSURFACE surface = nullptr;
    DDSURFACEDESC shortDesc = OffscreenDesc(640, 480);
    shortDesc.dwSize = 108 - 4;
    EXPECT_EQ(DDERR_INVALIDPARAMS, dd->CreateSurface(&shortDesc, &surface, nullptr));
    DDSURFACEDESC noSize = OffscreenDesc(640, 480);
    noSize.dwFlags = DDSD_CAPS;
    EXPECT_EQ(DDERR_INVALIDPARAMS, dd->CreateSurface(&noSize, &surface, nullptr));
    DDSURFACEDESC zero = OffscreenDesc(0, 480);
    EXPECT_EQ(DDERR_INVALIDPARAMS, dd->CreateSurface(&zero, &surface, nullptr));
    DDSURFACEDESC flippingOffscreen = OffscreenDesc(640, 480);
    flippingOffscreen.ddsCaps.dwCaps |= DDSCAPS_FLIP;
    EXPECT_EQ(DDERR_INVALIDPARAMS, dd->CreateSurface(&flippingOffscreen, &surface, nullptr));
    DDSURFACEDESC noBackBuffer = PrimaryDesc();
    noBackBuffer.dwBackBufferCount = 0;
    EXPECT_EQ(DDERR_INVALIDPARAMS, dd->CreateSurface(&noBackBuffer, &surface, nullptr));
    EXPECT_EQ(nullptr, surface);
    EXPECT_EQ(0, Live().surfaces);

    MakeFlippingPair();
    DDSURFACEDESC secondPrimary = PrimaryDesc();
    EXPECT_EQ(DDERR_PRIMARYSURFACEALREADYEXISTS, dd->CreateSurface(&secondPrimary, &surface, nullptr));
    EXPECT_EQ(2, Live().surfaces);
}

TEST_F(LifetimeTest, SurfacesDescribeThemselves) {
    MakeFlippingPair();
    LPDIRECTDRAWSURFACE backdrop = MakeOffscreen(320, 200);
    SetKey(backdrop, 240);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(DD_OK, backdrop->GetSurfaceDesc(&desc));
    EXPECT_EQ(320u, desc.dwWidth);
    EXPECT_EQ(200u, desc.dwHeight);
    EXPECT_GE(desc.lPitch, 320);
    EXPECT_EQ(8u, desc.ddpfPixelFormat.dwRGBBitCount);
    EXPECT_EQ(240u, desc.ddckCKSrcBlt.dwColorSpaceLowValue);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN);

    ASSERT_EQ(DD_OK, front->GetSurfaceDesc(&desc));
    EXPECT_EQ(640u, desc.dwWidth);
    EXPECT_EQ(480u, desc.dwHeight);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
    ASSERT_EQ(DD_OK, back->GetSurfaceDesc(&desc));
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER);
    desc.dwSize = 0;
    EXPECT_EQ(DDERR_INVALIDPARAMS, back->GetSurfaceDesc(&desc));
}

}  // namespace
