// In one process: the display lost and given back in the middle of a page, and a
// fast-forwarded 500-line story that leaves no GDI object, DirectDraw reference or
// heap block behind from one line or page to the next.
#include "display/display.h"
#include "platform/posix/test_hooks.h"
#include "shell/main_window.h"
#include "shell/pacing.h"
#include "story/line_presenter.h"
#include "story/script.h"
#include "tests/system/test_support.h"

#include <gtest/gtest.h>

#include <malloc.h>
#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (its header ships with clang only).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

const int White = 98;  // the text colour's index with the picture's palette

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class ReaderInProcess : public ::testing::Test {
protected:
    ScratchFolder folder;
    void SetUp() override {
        ASSERT_TRUE(StartStoryOnTestClock());
    }
    void TearDown() override {
        StopStory();
    }
    bool AnySurfaceLost() {
        for (LPDIRECTDRAWSURFACE surface : SurfaceTable)
            if (surface && surface->IsLost() != DD_OK) return true;
        return false;
    }
    // Switches away after line 1 and back after line 3 of five: a switch to
    // another program takes nothing away, so every line typed meanwhile is kept.
    void SwitchAwayDuringAPage() {
        SetScript({Sjis("あい"), Sjis("うえ"), Sjis("おか"), Sjis("きく"), Sjis("けこ。")});
        int ink = 0;
        for (int index = 0; index < 5; ++index) {
            if (index == 1) testhooks::PushFocus(false);
            if (index == 3) testhooks::PushFocus(true);
            PresentLine(index);
            EXPECT_FALSE(AnySurfaceLost()) << "line " << index;
            const int now = CountIndex(TextLayerSurface, White);
            EXPECT_GT(now, ink) << "line " << index << " left no ink on the text layer";
            ink = now;
        }
    }
};

TEST_F(ReaderInProcess, SwitchingAwayAndBackDuringAPageRestoresTheSurfaces) {
    SwitchAwayDuringAPage();
    EXPECT_GT(CountIndex(TextLayerSurface, White), 0);
    EXPECT_GT(CountIndex(FrontSurface, White), 0);
}

TEST_F(ReaderInProcess, SwitchingAwayAndBackWhileFastForwarding) {
    PacingEnabled = 0;
    SwitchAwayDuringAPage();
    EXPECT_GT(CountIndex(TextLayerSurface, White), 0);
    EXPECT_GT(CountIndex(FrontSurface, White), 0);
}

// 500 lines with every kind: rows that fill and wrap, sentence ends, commas,
// colour changes, sound cues (found or not), odd lengths and empty lines.
std::vector<std::string> FiveHundredLines() {
    WriteFile("sound_01.wav", "RIFF");  // present but broken
    const std::vector<std::string> kinds = {
        Sjis("あいうえおかきくけこさしすせそたちつてとなにぬねの"), Sjis("はひふへほ。"),
        Sjis("まみ、むめも」"), "c1", Sjis("やゆよ"), "c0", "s01", "s02", "odd", "",
        Sjis("　"), Sjis("らりるれろわをん、。")};
    std::vector<std::string> lines;
    for (int i = 0; i < ScriptCapacity; ++i) lines.push_back(kinds[i % kinds.size()]);
    return lines;
}

TEST_F(ReaderInProcess, AFastForwardedStoryLeavesNothingBehind) {
    SetScript(FiveHundredLines());
    PacingEnabled = 0;
    const testhooks::GdiObjectCounts gdi = testhooks::LiveGdiObjects();
    const testhooks::LiveDirectDrawObjects ddraw = testhooks::CountLiveDirectDrawObjects();
    const ULONG directDrawReferences = testhooks::ReferenceCount(DirectDrawObject);
    const ULONG frontReferences = testhooks::ReferenceCount(SurfaceTable[FrontSurface]);

    std::vector<size_t> heapAtPageStart;
    heapAtPageStart.reserve(ScriptCapacity);  // its own growth must not count
    int pages = 0;
    for (int index = 0; index < ScriptLineCount; ++index) {
        const int rowBefore = TextCursor.y;
        PresentLine(index);
        if (TextCursor.y < rowBefore) {
            ++pages;
            heapAtPageStart.push_back(HeapInUse());
        }
        const testhooks::GdiObjectCounts now = testhooks::LiveGdiObjects();
        ASSERT_EQ(gdi.fonts, now.fonts) << "line " << index;
        ASSERT_EQ(gdi.brushes, now.brushes) << "line " << index;
        ASSERT_EQ(gdi.bitmaps, now.bitmaps) << "line " << index;
        ASSERT_EQ(gdi.deviceContexts, now.deviceContexts) << "line " << index;
        const testhooks::LiveDirectDrawObjects live = testhooks::CountLiveDirectDrawObjects();
        ASSERT_EQ(ddraw.surfaces, live.surfaces) << "line " << index;
        ASSERT_EQ(ddraw.palettes, live.palettes) << "line " << index;
        ASSERT_EQ(directDrawReferences, testhooks::ReferenceCount(DirectDrawObject));
        ASSERT_EQ(frontReferences, testhooks::ReferenceCount(SurfaceTable[FrontSurface]));
    }
    ASSERT_GE(pages, 10);
    // The first pages may warm caches (glyphs, sound lookups); after that, no growth.
    for (size_t page = 3; page < heapAtPageStart.size(); ++page)
        EXPECT_LE(heapAtPageStart[page], heapAtPageStart[2]) << "page " << page;
}

}  // namespace
