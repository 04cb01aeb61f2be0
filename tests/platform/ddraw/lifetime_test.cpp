// Creation and release: reference counts, the reader's release order, the
// failed start, and what set-up refuses.
#include "display_fixture.h"

namespace {

class LifetimeTest : public DisplayTest {};

int LiveSurfaces() { return testhooks::CountLiveDirectDrawObjects().surfaces; }
int LivePalettes() { return testhooks::CountLiveDirectDrawObjects().palettes; }

TEST_F(LifetimeTest, ReleaseInTheReadersOrderLeavesNothingAlive) {
    MakeFlippingPair();
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    ASSERT_EQ(DD_OK, front->SetPalette(palette));
    LPDIRECTDRAWSURFACE slots[4];
    for (LPDIRECTDRAWSURFACE& slot : slots) slot = MakeOffscreen();
    ASSERT_EQ(6, LiveSurfaces());

    for (LPDIRECTDRAWSURFACE slot : slots) EXPECT_EQ(0u, slot->Release());
    EXPECT_EQ(2, LiveSurfaces());
    EXPECT_EQ(1u, palette->Release());  // the primary still holds it
    EXPECT_EQ(1, LivePalettes());
    EXPECT_EQ(0u, front->Release());    // takes its back buffer and the palette along
    EXPECT_EQ(0, LiveSurfaces());
    EXPECT_EQ(0, LivePalettes());
    EXPECT_EQ(0u, dd->Release());
    dd = nullptr;
    EXPECT_EQ(0, testhooks::CountLiveDirectDrawObjects().directDraws);
}

TEST_F(LifetimeTest, AttachingAndQueryingAddReferences) {
    MakeFlippingPair();
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE again = nullptr;
    ASSERT_EQ(DD_OK, front->GetAttachedSurface(&caps, &again));
    EXPECT_EQ(2u, testhooks::ReferenceCount(back));
    again->Release();
    back->Release();
    EXPECT_EQ(2, LiveSurfaces());  // the chain still holds the back buffer

    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    ASSERT_EQ(DD_OK, front->SetPalette(palette));
    EXPECT_EQ(2u, testhooks::ReferenceCount(palette));
    ASSERT_EQ(DD_OK, front->SetPalette(nullptr));
    EXPECT_EQ(1u, testhooks::ReferenceCount(palette));

    const GUID unknownId = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    const GUID otherId = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    void* object = nullptr;
    ASSERT_EQ(DD_OK, dd->QueryInterface(unknownId, &object));
    EXPECT_EQ(2u, testhooks::ReferenceCount(dd));
    dd->Release();
    EXPECT_NE(DD_OK, front->QueryInterface(otherId, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(1u, testhooks::ReferenceCount(front));
}

TEST_F(LifetimeTest, ReleasingTheDirectDrawObjectFreesWhatItMadeAndTheScreen) {
    MakeFlippingPair();
    MakeOffscreen();
    MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    dd->Release();
    dd = nullptr;
    EXPECT_EQ(0, LiveSurfaces() + LivePalettes());
    ASSERT_EQ(DD_OK, DirectDrawCreate(nullptr, &dd, nullptr));
    ASSERT_EQ(DD_OK, dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN));
    EXPECT_EQ(DD_OK, dd->SetDisplayMode(640, 480, 8));
}

TEST_F(LifetimeTest, WithoutADisplayCreateFailsAndMakesNothing) {
    dd->Release();
    dd = nullptr;
    testhooks::ResetWindowAndScreen();
    testhooks::ResetVideo();
    setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
    LPDIRECTDRAW failed = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_EQ(DDERR_NODIRECTDRAWHW, DirectDrawCreate(nullptr, &failed, nullptr));
    EXPECT_EQ(nullptr, failed);
    EXPECT_EQ(0, testhooks::CountLiveDirectDrawObjects().directDraws);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    testhooks::ResetVideo();
}

TEST_F(LifetimeTest, ModesNeedTheExclusiveLevelAndEightBits) {
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

TEST_F(LifetimeTest, BadSurfaceDescriptionsMakeNothing) {
    DDSURFACEDESC bad[5] = {OffscreenDesc(640, 480), OffscreenDesc(640, 480), OffscreenDesc(0, 480),
                            OffscreenDesc(640, 480), PrimaryDesc()};
    bad[0].dwSize = 108 - 4;
    bad[1].dwFlags = DDSD_CAPS;  // no size
    bad[3].ddsCaps.dwCaps |= DDSCAPS_FLIP;
    bad[4].dwBackBufferCount = 0;
    for (DDSURFACEDESC& desc : bad) {
        LPDIRECTDRAWSURFACE surface = nullptr;
        EXPECT_EQ(DDERR_INVALIDPARAMS, dd->CreateSurface(&desc, &surface, nullptr));
        EXPECT_EQ(nullptr, surface);
    }
    EXPECT_EQ(0, LiveSurfaces());

    MakeFlippingPair();
    DDSURFACEDESC secondPrimary = PrimaryDesc();
    LPDIRECTDRAWSURFACE surface = nullptr;
    EXPECT_EQ(DDERR_PRIMARYSURFACEALREADYEXISTS, dd->CreateSurface(&secondPrimary, &surface, nullptr));
    EXPECT_EQ(2, LiveSurfaces());
}

TEST_F(LifetimeTest, SurfacesDescribeTheirSizeFormatAndKey) {
    LPDIRECTDRAWSURFACE backdrop = MakeOffscreen(321, 200);
    SetKey(backdrop, 240);
    DDSURFACEDESC desc = OffscreenDesc(0, 0);
    ASSERT_EQ(DD_OK, backdrop->GetSurfaceDesc(&desc));
    EXPECT_EQ(321u, desc.dwWidth);
    EXPECT_EQ(200u, desc.dwHeight);
    EXPECT_GE(desc.lPitch, 321);
    EXPECT_EQ(8u, desc.ddpfPixelFormat.dwRGBBitCount);
    EXPECT_EQ(240u, desc.ddckCKSrcBlt.dwColorSpaceLowValue);
    desc.dwSize = 0;
    EXPECT_EQ(DDERR_INVALIDPARAMS, backdrop->GetSurfaceDesc(&desc));
}

}  // namespace
