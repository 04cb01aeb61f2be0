// A DirectDraw set up as the reader sets it up: exclusive 640x480x8, the
// flipping pair, offscreen surfaces and a palette. Every test ends with
// nothing alive.
#ifndef TESTS_PLATFORM_DDRAW_DISPLAY_FIXTURE_H
#define TESTS_PLATFORM_DDRAW_DISPLAY_FIXTURE_H

#include "platform/posix/test_hooks.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "ddraw-tests";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "ddraw-tests", "ddraw tests", WS_POPUP | WS_VISIBLE, 0, 0,
                                 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
        ASSERT_EQ(DD_OK, DirectDrawCreate(nullptr, &dd, nullptr));
        ASSERT_EQ(DD_OK, dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN));
        ASSERT_EQ(DD_OK, dd->SetDisplayMode(640, 480, 8));
    }

    void TearDown() override {
        if (dd) dd->Release();    // frees whatever a test left
        const testhooks::LiveDirectDrawObjects live = testhooks::CountLiveDirectDrawObjects();
        EXPECT_EQ(0, live.directDraws + live.surfaces + live.palettes);
        testhooks::ResetWindowAndScreen();
        testhooks::UseRealClock();
    }

    static DDSURFACEDESC Desc(DWORD flags, DWORD caps, DWORD width = 0, DWORD height = 0) {
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof(desc));
        desc.dwSize = sizeof(desc);
        desc.dwFlags = flags;
        desc.ddsCaps.dwCaps = caps;
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.dwBackBufferCount = 1;
        return desc;
    }
    static DDSURFACEDESC PrimaryDesc() {
        return Desc(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                    DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    }
    static DDSURFACEDESC OffscreenDesc(DWORD width, DWORD height) {
        return Desc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, width, height);
    }

    // Slots 0 and 1: the primary and its back buffer.
    void MakeFlippingPair() {
        DDSURFACEDESC desc = PrimaryDesc();
        ASSERT_EQ(DD_OK, dd->CreateSurface(&desc, &front, nullptr));
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        ASSERT_EQ(DD_OK, front->GetAttachedSurface(&caps, &back));
    }
    LPDIRECTDRAWSURFACE MakeOffscreen(DWORD width = 640, DWORD height = 480) {
        DDSURFACEDESC desc = OffscreenDesc(width, height);
        LPDIRECTDRAWSURFACE surface = nullptr;
        EXPECT_EQ(DD_OK, dd->CreateSurface(&desc, &surface, nullptr));
        return surface;
    }
    LPDIRECTDRAWPALETTE MakePalette(DWORD flags, std::vector<PALETTEENTRY> colours) {
        LPDIRECTDRAWPALETTE palette = nullptr;
        EXPECT_EQ(DD_OK, dd->CreatePalette(flags, colours.data(), &palette, nullptr));
        return palette;
    }
    static void SetKey(LPDIRECTDRAWSURFACE surface, DWORD index) {
        DDCOLORKEY key = {index, 0};
        ASSERT_EQ(DD_OK, surface->SetColorKey(DDCKEY_SRCBLT, &key));
    }
    static DDBLTFX Fill(DWORD index) {
        DDBLTFX fx;
        std::memset(&fx, 0, sizeof(fx));
        fx.dwSize = sizeof(fx);
        fx.dwFillColor = index;
        return fx;
    }

    static uint8_t& PixelOf(LPDIRECTDRAWSURFACE surface, int x, int y) {
        const posix::IndexedPixels page = testhooks::SurfacePixels(surface);
        return page.pixels[y * page.pitch + x];
    }
    static void Paint(LPDIRECTDRAWSURFACE surface, uint8_t index) {
        const posix::IndexedPixels page = testhooks::SurfacePixels(surface);
        for (int y = 0; y < page.height; ++y) std::memset(page.pixels + y * page.pitch, index, page.width);
    }
    static bool AllAre(LPDIRECTDRAWSURFACE surface, uint8_t index) {
        const posix::IndexedPixels page = testhooks::SurfacePixels(surface);
        for (int y = 0; y < page.height; ++y) {
            for (int x = 0; x < page.width; ++x) {
                if (page.pixels[y * page.pitch + x] != index) return false;
            }
        }
        return true;
    }
    static std::vector<PALETTEENTRY> Ramp() {
        std::vector<PALETTEENTRY> colours(256);
        for (int i = 0; i < 256; ++i) {
            colours[i] = PALETTEENTRY{BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
        }
        return colours;
    }

    HWND window = nullptr;
    LPDIRECTDRAW dd = nullptr;
    LPDIRECTDRAWSURFACE front = nullptr;
    LPDIRECTDRAWSURFACE back = nullptr;
};

inline bool SameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

#endif
