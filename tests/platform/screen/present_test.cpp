// Presents on SDL's dummy display, read back from the window.
#include "platform/posix/screen/screen.h"
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using testhooks::RgbImage;

struct TestPage {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(640 * 480, 0);
    PALETTEENTRY palette[256] = {};
    bool available = true;
};

TestPage& Page() {
    static TestPage page;
    return page;
}

bool PageSource(posix::screen::Frame* out) {
    if (!Page().available) return false;
    out->pixels.width = 640;
    out->pixels.height = 480;
    out->pixels.pitch = 640;
    out->pixels.pixels = Page().pixels.data();
    out->palette = Page().palette;
    return true;
}

bool SameColour(const uint8_t* pixel, uint8_t r, uint8_t g, uint8_t b) {
    return pixel[0] == r && pixel[1] == g && pixel[2] == b;
}

// The largest difference of one colour byte between two images of one size.
int LargestDifference(const RgbImage& a, const RgbImage& b) {
    if (a.width != b.width || a.height != b.height) return 256;
    int largest = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        largest = std::max(largest, std::abs(a.rgb[i] - b.rgb[i]));
    return largest;
}

// A few rows of the page drawn on, as a character is.
void DrawCharacterRows() {
    for (int y = 101; y < 127; ++y)
        for (int x = 200 + y % 7; x < 260; x += 3) Page().pixels[y * 640 + x] = 3;
}

class PresentTest : public testwindow::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Page() = TestPage{};
        Page().palette[1] = PALETTEENTRY{255, 0, 0, 0};
        Page().palette[2] = PALETTEENTRY{0, 0, 255, 0};
        // Left half red, right half blue, one white pixel at (10, 20).
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) Page().pixels[y * 640 + x] = x < 320 ? 1 : 2;
        Page().palette[3] = PALETTEENTRY{255, 255, 255, 0};
        Page().pixels[20 * 640 + 10] = 3;
        posix::screen::SetFrameSource(PageSource);
    }
    void Open(int width, int height) {
        ASSERT_NE(testwindow::CreateRecordingWindow(width, height), nullptr);
        ASSERT_TRUE(posix::screen::OpenScreen(640, 480));
    }
    RgbImage Window() {
        RgbImage image;
        EXPECT_TRUE(testhooks::PresentedWindow(&image));
        return image;
    }
};

TEST_F(PresentTest, AtTheModeSizeEveryPixelIsShownOneToOne) {
    Open(640, 480);
    RgbImage picture;
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    const RgbImage window = Window();
    ASSERT_EQ(window.width, 640);
    ASSERT_EQ(window.height, 480);
    EXPECT_EQ(window.rgb, picture.rgb);
    EXPECT_TRUE(SameColour(window.At(10, 20), 255, 255, 255));
    EXPECT_TRUE(SameColour(window.At(11, 20), 255, 0, 0));
    EXPECT_TRUE(SameColour(window.At(319, 0), 255, 0, 0));
    EXPECT_TRUE(SameColour(window.At(320, 0), 0, 0, 255));
}

TEST_F(PresentTest, WideWindowHasBlackBarsAndTheFittedPictureBetween) {
    Open(1920, 1080);
    const RgbImage window = Window();
    ASSERT_EQ(window.width, 1920);
    EXPECT_TRUE(SameColour(window.At(0, 500), 0, 0, 0));
    EXPECT_TRUE(SameColour(window.At(239, 500), 0, 0, 0));
    EXPECT_TRUE(SameColour(window.At(1680, 500), 0, 0, 0));
    EXPECT_TRUE(SameColour(window.At(1919, 1079), 0, 0, 0));
    EXPECT_TRUE(SameColour(window.At(245, 500), 255, 0, 0));
    EXPECT_TRUE(SameColour(window.At(1675, 500), 0, 0, 255));
    // Smooth at the red/blue edge (x 960 of the window): a blend, not either colour.
    bool blended = false;
    for (int x = 950; x < 970; ++x) {
        const uint8_t* pixel = window.At(x, 500);
        if (pixel[0] > 0 && pixel[0] < 255 && pixel[2] > 0 && pixel[2] < 255) blended = true;
    }
    EXPECT_TRUE(blended);
}

// Only the rows that changed are sent again: they must land where the whole
// picture would put them.
TEST_F(PresentTest, AFewChangedRowsAreShownInPlaceAtAWholeFactor) {
    Open(1280, 960);
    for (int x = 100; x < 140; ++x) Page().pixels[300 * 640 + x] = 3;
    posix::screen::PresentNow();
    RgbImage picture;
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    const RgbImage window = Window();
    ASSERT_EQ(window.width, 1280);
    int differing = 0;
    for (int y = 0; y < 960; ++y)
        for (int x = 0; x < 1280; ++x)
            differing += std::memcmp(window.At(x, y), picture.At(x / 2, y / 2), 3) != 0;
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(SameColour(window.At(201, 601), 255, 255, 255));
}

// At a scale that is not whole every window pixel blends two page pixels across
// and two down: the part redone after a change must come out as a scaling of the
// whole window makes it.
TEST_F(PresentTest, ChangedRowsComeOutAsARepaintMakesThem) {
    Open(1920, 1080);
    posix::screen::PresentNow();
    const auto expectAsRepainted = [this] {
        const RgbImage changed = Window();
        posix::screen::RepaintSoon();
        posix::screen::PresentNow();
        EXPECT_EQ(LargestDifference(changed, Window()), 0);
    };
    DrawCharacterRows();
    posix::screen::PresentNow();
    expectAsRepainted();
    Page().palette[3] = PALETTEENTRY{200, 100, 50, 0};  // also recolours the pixel of row 20
    posix::screen::PresentNow();
    expectAsRepainted();
}

// At 2.25x window row 4 is halfway between page rows 1 (black) and 2 (white).
TEST_F(PresentTest, ARowHalfwayBetweenTwoPageRowsIsTheirRoundedMean) {
    for (int i = 0; i < 640 * 480; ++i) Page().pixels[i] = i < 2 * 640 ? 0 : 3;
    Open(1920, 1080);
    const RgbImage window = Window();
    for (int x = 240; x < 1680; ++x) ASSERT_TRUE(SameColour(window.At(x, 4), 128, 128, 128)) << x;
}

TEST_F(PresentTest, APaletteChangeShowsAtTheNextPresentWithoutTouchingPixels) {
    Open(640, 480);
    Page().palette[1] = PALETTEENTRY{0, 255, 0, 0};
    posix::screen::PresentNow();
    EXPECT_TRUE(SameColour(Window().At(0, 0), 0, 255, 0));
}

TEST_F(PresentTest, WithoutAPageTheScreenIsBlack) {
    Page().available = false;
    Open(640, 480);
    EXPECT_TRUE(SameColour(Window().At(0, 0), 0, 0, 0));
    EXPECT_EQ(testhooks::PresentCount(), 1);  // opening shows the screen once
}

TEST_F(PresentTest, PresentSoonIsCarriedOutByTheNextLookAtMostOnceAFrame) {
    testhooks::UseTestClock(1000, false);
    Open(640, 480);
    const int opened = testhooks::PresentCount();
    MSG msg;
    posix::screen::PresentSoon();
    posix::screen::PresentSoon();
    EXPECT_EQ(testhooks::PresentCount(), opened);  // nothing until the queue is looked at
    testhooks::AdvanceTestClock(16);
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(testhooks::PresentCount(), opened + 1);

    // Within the same frame, drawing waits for the frame to pass.
    Page().pixels[0] = 3;
    posix::screen::PresentSoon();
    testhooks::AdvanceTestClock(15);
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(testhooks::PresentCount(), opened + 1);
    testhooks::AdvanceTestClock(1);
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(testhooks::PresentCount(), opened + 2);
    EXPECT_TRUE(SameColour(Window().At(0, 0), 255, 255, 255));

    // PresentNow shows everything drawn: a pending PresentSoon is served by it.
    posix::screen::PresentSoon();
    posix::screen::PresentNow();
    testhooks::AdvanceTestClock(100);
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(testhooks::PresentCount(), opened + 3);
}

TEST_F(PresentTest, ClosedScreenPresentsNothingAndAWindowIsNeeded) {
    EXPECT_FALSE(posix::screen::OpenScreen(640, 480));  // no window yet
    Open(640, 480);
    posix::screen::CloseScreen();
    const int count = testhooks::PresentCount();
    posix::screen::PresentNow();
    posix::screen::PresentSoon();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(testhooks::PresentCount(), count);
    RgbImage image;
    EXPECT_FALSE(testhooks::PresentedWindow(&image));
    EXPECT_TRUE(posix::screen::OpenScreen(640, 480));  // and it can be taken again
}

TEST_F(PresentTest, DestroyingTheWindowGivesTheScreenBack) {
    Open(640, 480);
    testwindow::PassEverythingOn() = true;
    SendMessageA(posix::user::MainWindow()->handle, WM_CLOSE, 0, 0);
    RgbImage image;
    EXPECT_FALSE(testhooks::PresentedWindow(&image));
}

// The GPU's way, run by SDL's software renderer on the dummy driver.
class RendererPresentTest : public PresentTest {
protected:
    void SetUp() override {
        PresentTest::SetUp();
        testhooks::UsePresenting({posix::video::Presenter::Renderer, "software"});
    }
    void TearDown() override {
        testhooks::UsePresenting({});
        PresentTest::TearDown();
    }
};

TEST_F(RendererPresentTest, AWholeFactorIsExactAndChangedRowsAreSent) {
    Open(1280, 960);
    DrawCharacterRows();
    posix::screen::PresentNow();
    RgbImage picture;
    ASSERT_TRUE(testhooks::PresentedPicture(&picture));
    const RgbImage window = Window();
    EXPECT_EQ(LargestDifference(window, picture.ScaledUp(2)), 0);
    EXPECT_TRUE(SameColour(window.At(2 * 203, 2 * 101), 255, 255, 255));
}

TEST_F(RendererPresentTest, AtOtherScalesItDiffersFromTheProcessorByFilteringOnly) {
    Open(1920, 1080);
    DrawCharacterRows();
    posix::screen::PresentNow();
    const RgbImage byRenderer = Window();
    testhooks::ResetWindowAndScreen();
    testhooks::UsePresenting({});
    posix::screen::SetFrameSource(PageSource);
    Open(1920, 1080);
    const RgbImage byProcessor = Window();
    EXPECT_LE(LargestDifference(byRenderer, byProcessor), 4);
    EXPECT_TRUE(SameColour(byRenderer.At(239, 500), 0, 0, 0));
    EXPECT_TRUE(SameColour(byRenderer.At(1680, 500), 0, 0, 0));
}

}  // namespace
