// The display: set-up and teardown, restoring, brightness, the picture and its keys.
#include "display/display.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "shell/quit.h"
#include "shell/startup.h"
#include "story/text_style.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

class ReaderDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartReaderDisplay()); }
    void TearDown() override {
        PacingEnabled = 1;
        testhooks::UseRealClock();
        StopReaderDisplay();
    }
};

DWORD SurfaceWidth(int slot) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof(desc);
    SurfaceTable[slot]->GetSurfaceDesc(&desc);
    return desc.dwWidth;
}

TEST(DisplaySetup, BackdropTakesItsOwnSizeAndTheOtherSurfacesStay640x480) {
    OpenMainWindow(NULL, "ReaderTest", 640, 480);
    ASSERT_EQ(1, TheDisplay.InitDisplay(MainWindow, 640, 480, 320, 200));
    EXPECT_EQ(320u, SurfaceWidth(BackdropSurface));
    for (int slot : std::initializer_list<int>{FrontSurface, BackSurface, TextLayerSurface, SpareSurface, SpareSurface + 1})
        EXPECT_EQ(640u, SurfaceWidth(slot)) << "slot " << slot;
    // Nothing shows in colour before the picture's palette is loaded.
    const PALETTEENTRY* shown = testhooks::ShownPalette();
    for (int index = 0; index < 255; ++index)
        EXPECT_EQ(0, shown[index].peRed + shown[index].peGreen + shown[index].peBlue) << index;
    StopReaderDisplay();
}

TEST(DisplaySetup, ReleaseLeavesNothingAliveAndAFailedCreateCreatesNothing) {
    ASSERT_TRUE(StartReaderDisplay());
    StopReaderDisplay();
    testhooks::LiveDirectDrawObjects live = testhooks::CountLiveDirectDrawObjects();
    EXPECT_EQ(0, live.directDraws + live.surfaces + live.palettes);

    // With no display to be had, DirectDrawCreate fails for real.
    testhooks::ResetVideo();
    setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
    EXPECT_EQ(0, TheDisplay.InitDisplay(NULL, 640, 480, 640, 480));
    TheDisplay.ReleaseDisplay();  // finds every pointer null
    TheDisplay.ClearSurface(FrontSurface);
    live = testhooks::CountLiveDirectDrawObjects();
    EXPECT_EQ(0, live.directDraws + live.surfaces + live.palettes);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    testhooks::ResetVideo();
}

TEST(DisplaySetupDeathTest, QuitWithoutADisplayEndsWithExitCodeOne) {
    EXPECT_EXIT(QuitProgram(), ::testing::ExitedWithCode(1), "");
}

TEST_F(ReaderDisplayTest, RestoreWithNothingLostStillClearsAndFlips) {
    FillSlot(FrontSurface, 7);
    FillSlot(BackSurface, 5);
    EXPECT_EQ(0, TheDisplay.RestoreSurfaces(TRUE));
    EXPECT_EQ(640 * 480, CountIndex(FrontSurface, 5));  // the former back page shows
    EXPECT_EQ(640 * 480, CountIndex(BackSurface, 0));
}

std::vector<uint8_t> SlotPixels(int slot) {
    const posix::IndexedPixels page = testhooks::SurfacePixels(SurfaceTable[slot]);
    return std::vector<uint8_t>(page.pixels, page.pixels + page.pitch * page.height);
}

// A restored surface holds whatever was left in it: the display puts back the
// picture, the keys and the empty text layer, matched against the picture's own
// palette even in the middle of a fade.
TEST_F(ReaderDisplayTest, RestoreAfterALossPutsBackThePictureKeysAndTextLayer) {
    const std::vector<uint8_t> picture = SlotPixels(BackdropSurface);
    TheBrightness.SetBrightness(-120);
    FillSlot(BackdropSurface, 7);
    FillSlot(TextLayerSurface, 5);
    FillSlot(BackSurface, 9);
    for (int slot = BackSurface; slot < SurfaceSlotCount; ++slot)
        SurfaceTable[slot]->SetColorKey(DDCKEY_SRCBLT, NULL);
    testhooks::MarkAllSurfacesLost();

    EXPECT_EQ(1, TheDisplay.RestoreSurfaces(TRUE));
    for (LPDIRECTDRAWSURFACE surface : SurfaceTable) EXPECT_EQ(DD_OK, surface->IsLost());
    EXPECT_TRUE(SlotPixels(BackdropSurface) == picture);
    EXPECT_EQ(640 * 480, CountIndex(TextLayerSurface, KeyColorIndex));
    EXPECT_EQ(640 * 480, CountIndex(FrontSurface, 0));  // no leftover page shows
    EXPECT_EQ(0, std::memcmp(testhooks::ShownPalette() + 1, MasterPalette + 1, 254 * 4));
    TheDisplay.CopyKeyed(0, 0, 640, 480, BackSurface, TextLayerSurface);  // keyed again
    EXPECT_EQ(640 * 480, CountIndex(BackSurface, 0));

    TheBrightness.ResendPalette();
    EXPECT_EQ(0, std::memcmp(testhooks::ShownPalette() + 1, WorkPalette + 1, 254 * 4));
}

// A system may give the desktop its mode while the program is away and leave it
// so on return: the program takes its mode back, but only once it has the focus.
TEST_F(ReaderDisplayTest, ThePrimaryComesBackInItsModeOnlyWhenActive) {
    ASSERT_EQ(DD_OK, DirectDrawObject->RestoreDisplayMode());
    EXPECT_EQ(0, TheDisplay.RestoreSurfaces(FALSE));
    EXPECT_NE(DD_OK, SurfaceTable[FrontSurface]->IsLost());
    EXPECT_EQ(1, TheDisplay.RestoreSurfaces(TRUE));
    EXPECT_EQ(DD_OK, SurfaceTable[FrontSurface]->IsLost());
}

void ExitOneOnlyIfNothingIsLeft() {
    const testhooks::LiveDirectDrawObjects live = testhooks::CountLiveDirectDrawObjects();
    _exit(live.directDraws + live.surfaces + live.palettes == 0 ? 1 : 3);
}

TEST_F(ReaderDisplayTest, QuitGivesEveryDirectDrawObjectBack) {
    EXPECT_EXIT(
        {
            std::atexit(ExitOneOnlyIfNothingIsLeft);
            QuitProgram();
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(ReaderDisplayTest, BrightnessShiftsEveryComponentAndKeepsEntry112) {
    TheBrightness.SetBrightness(-255);
    for (int index = 0; index < 256; ++index) {
        const PALETTEENTRY& entry = WorkPalette[index];
        if (index == FixedPaletteIndex) {
            EXPECT_EQ(255, entry.peRed);
            EXPECT_EQ(255, entry.peGreen);
            EXPECT_EQ(255, entry.peBlue);
        } else {
            EXPECT_EQ(0, entry.peRed + entry.peGreen + entry.peBlue) << index;
        }
    }

    MasterPalette[1] = {99, 165, 250, 0};
    TheBrightness.SetBrightness(-100);
    EXPECT_EQ(0, WorkPalette[1].peRed);
    EXPECT_EQ(65, WorkPalette[1].peGreen);
    TheBrightness.SetBrightness(10);
    EXPECT_EQ(109, WorkPalette[1].peRed);
    EXPECT_EQ(255, WorkPalette[1].peBlue);
    TheBrightness.SetBrightness(0);
    EXPECT_EQ(0, std::memcmp(WorkPalette, MasterPalette, sizeof(WorkPalette)));
    EXPECT_EQ(250, testhooks::ShownPalette()[1].peBlue);  // sent to the screen
}

TEST_F(ReaderDisplayTest, FadesSendThirtyThreePalettesAndEndOnTheTarget) {
    testhooks::UseTestClock(0, true);
    int before = testhooks::PresentCount();
    TheBrightness.FadeUp(-255, 0);
    EXPECT_EQ(33, testhooks::PresentCount() - before);
    EXPECT_EQ(32u * FadeStepMs, GetTickCount());  // 32 steps of 20 ms
    EXPECT_EQ(0, std::memcmp(WorkPalette, MasterPalette, sizeof(WorkPalette)));

    before = testhooks::PresentCount();
    TheBrightness.FadeDown(0, -255);
    EXPECT_EQ(33, testhooks::PresentCount() - before);
    EXPECT_EQ(0, WorkPalette[1].peRed + WorkPalette[1].peGreen + WorkPalette[1].peBlue);

    before = testhooks::PresentCount();
    TheBrightness.FadeUp(10, 0);  // from above the target: only the target is sent
    EXPECT_EQ(1, testhooks::PresentCount() - before);
}

TEST_F(ReaderDisplayTest, FadesWhileFastForwardingStillSendEveryStep) {
    testhooks::UseTestClock(0, false);  // the clock never moves: only pacing off ends the waits
    PacingEnabled = 0;
    const int before = testhooks::PresentCount();
    TheBrightness.FadeDown(0, -255);
    EXPECT_EQ(33, testhooks::PresentCount() - before);
}

TEST_F(ReaderDisplayTest, PaletteTableIsFoundByTheHeaderSize) {
    // A bitmap whose header is 12 bytes longer than usual.
    static unsigned char bitmap[52 + 256 * 4 + 4] = {};
    const uint32_t headerSize = 52;
    std::memcpy(bitmap, &headerSize, 4);
    for (int index = 0; index < 256; ++index) {
        bitmap[52 + 4 * index + 0] = 3;  // blue
        bitmap[52 + 4 * index + 1] = 2;  // green
        bitmap[52 + 4 * index + 2] = static_cast<unsigned char>(index);  // red
    }
    static const posix::kernel::EmbeddedResource entry = {"WIDEHEADER", 2, bitmap, sizeof(bitmap)};
    posix::kernel::RegisterEmbeddedResources(&entry, 1);
    ASSERT_EQ(1, TheDisplay.LoadPaletteFromBitmap("WIDEHEADER"));
    EXPECT_EQ(200, MasterPalette[200].peRed);
    EXPECT_EQ(2, MasterPalette[200].peGreen);
    EXPECT_EQ(3, MasterPalette[200].peBlue);
    EXPECT_EQ(0, TheDisplay.LoadPaletteFromBitmap("NOSUCHBITMAP"));
    EXPECT_EQ(200, MasterPalette[200].peRed);  // left as it was
}

TEST_F(ReaderDisplayTest, ThePictureKeysSlotsOneToFiveAndNotTheFront) {
    // Each source: its top half the key index, its bottom half index 50.
    for (int source : std::initializer_list<int>{FrontSurface, BackSurface, BackdropSurface,
                                                 TextLayerSurface, SpareSurface, SpareSurface + 1}) {
        const int dest = source == SpareSurface ? SpareSurface + 1 : SpareSurface;
        FillSlot(dest, 7);
        FillSlot(source, 50);
        DDBLTFX fx = {};
        fx.dwSize = sizeof(fx);
        fx.dwFillColor = KeyColorIndex;
        RECT top = {0, 0, 640, 240};
        SurfaceTable[source]->Blt(&top, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
        TheDisplay.CopyKeyed(0, 0, 640, 480, dest, source);
        // A keyed copy from a surface without a key is refused, as DirectDraw does.
        const int copied = source == FrontSurface ? 0 : 640 * 240;
        EXPECT_EQ(copied, CountIndex(dest, 50)) << "slot " << source;
        EXPECT_EQ(640 * 480 - copied, CountIndex(dest, 7)) << "slot " << source;
    }
}

TEST_F(ReaderDisplayTest, KeyedCopySkipsOnlyTheKeyIndex) {
    FillSlot(TextLayerSurface, KeyColorIndex);
    TheRectPainter.FillRectOn(TextLayerSurface, 10, 10, 20, 20, 0x000000);  // index 0
    TheRectPainter.FillRectOn(TextLayerSurface, 40, 10, 20, 20, White);
    FillSlot(BackSurface, 50);
    TheDisplay.CopyKeyed(0, 0, 640, 480, BackSurface, TextLayerSurface);
    EXPECT_EQ(400, CountIndex(BackSurface, 0));
    EXPECT_EQ(400, CountIndex(BackSurface, 98));
    EXPECT_EQ(640 * 480 - 800, CountIndex(BackSurface, 50));
}

TEST_F(ReaderDisplayTest, TextIsCentredByItsExtentAndShadowedBlackDownRight) {
    const char* text = "\x82\xA0\x82\xA2";  // あい
    FillSlot(BackSurface, KeyColorIndex);
    const int width = TheTextPainter.DrawScreenText(-1, 150, text, 26, 0, TextWeight, 0, White,
                                                    0, MinchoFaceName, SHIFTJIS_CHARSET,
                                                    BackSurface);
    ASSERT_GT(width, 20);
    const Box plain = BoxOfIndex(BackSurface, 98);
    EXPECT_GE(plain.left, 320 - width / 2);
    EXPECT_LT(plain.right, 320 - width / 2 + width + 2);
    EXPECT_GE(plain.top, 150);
    const int plainWhite = CountIndex(BackSurface, 98);

    FillSlot(BackSurface, KeyColorIndex);
    const int shadowedWidth = TheTextPainter.DrawScreenText(
        -1, 150, text, 26, 0, TextWeight, 3, White, 0, MinchoFaceName, SHIFTJIS_CHARSET,
        BackSurface);
    EXPECT_EQ(width, shadowedWidth);  // the shadow is not part of the width
    EXPECT_EQ(plainWhite, CountIndex(BackSurface, 98));  // the text is drawn over its shadow
    const Box shadow = BoxOfIndex(BackSurface, 0);
    EXPECT_EQ(plain.right + 3, shadow.right);
    EXPECT_EQ(plain.bottom + 3, shadow.bottom);
}

TEST_F(ReaderDisplayTest, DrawingOnALostSurfaceDrawsNothingButStillMeasures) {
    const char* text = "\x82\xA0\x82\xA2";
    const int width = TheTextPainter.DrawScreenText(10, 10, text, 26, 0, TextWeight, 3, White, 0,
                                                    MinchoFaceName, SHIFTJIS_CHARSET,
                                                    TextLayerSurface);
    const int ink = CountIndex(TextLayerSurface, 98);
    const int backInk = CountIndex(BackSurface, 98);
    testhooks::MarkAllSurfacesLost();
    EXPECT_EQ(width, TheTextPainter.DrawScreenText(300, 300, text, 26, 0, TextWeight, 3, White,
                                                   0, MinchoFaceName, SHIFTJIS_CHARSET,
                                                   TextLayerSurface));
    TheRectPainter.FillRectOn(TextLayerSurface, 0, 0, 640, 480, White);
    EXPECT_EQ(ink, CountIndex(TextLayerSurface, 98)) << "drawn on a lost surface";
    TheDisplay.CopyKeyed(0, 0, 640, 480, BackSurface, TextLayerSurface);
    TheDisplay.FlipPages();  // refused as well: the back page is not shown
    EXPECT_EQ(backInk, CountIndex(BackSurface, 98));
}

}  // namespace
