// Classes, the one window and its creation, metrics and cursors.
#include "platform/posix/user/window.h"
#include "platform/posix/video/video.h"
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testwindow::Log;
using testwindow::MessagesIn;
using testwindow::WindowTest;

class WindowCreationTest : public WindowTest {};

TEST_F(WindowCreationTest, AVisibleWindowIsActivatedOnceWhileBeingCreated) {
    const HWND window = testwindow::CreateRecordingWindow(800, 600);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_ACTIVATEAPP}));
    EXPECT_EQ(Log()[0].wParam, static_cast<WPARAM>(TRUE));

    EXPECT_TRUE(posix::user::IsMainWindow(window));
    SDL_Window* sdl = posix::video::HostWindow();
    ASSERT_NE(sdl, nullptr);
    int width = 0, height = 0, x = -1, y = -1;
    SDL_GetWindowSize(sdl, &width, &height);
    SDL_GetWindowPosition(sdl, &x, &y);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_NE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_BORDERLESS, 0u);

    testhooks::PushFocus(true);  // SDL's own first focus event is no change
    testwindow::Pump();
    EXPECT_EQ(Log().size(), 1u);
}

TEST_F(WindowCreationTest, AHiddenWindowIsNotActivatedUntilItGetsFocus) {
    ASSERT_NE(testwindow::CreateRecordingWindow(640, 480, WS_POPUP), nullptr);
    EXPECT_TRUE(Log().empty());
    testhooks::PushFocus(true);
    testwindow::Pump();
    EXPECT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_ACTIVATEAPP}));
}

TEST_F(WindowCreationTest, ClassesAreFoundByNameWhateverTheCaseAndOnlyOnce) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = testwindow::RecordingProc;
    windowClass.lpszClassName = "Reader Class";
    const ATOM atom = RegisterClassA(&windowClass);
    EXPECT_NE(atom, 0);
    windowClass.lpszClassName = "READER class";
    EXPECT_EQ(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(CreateWindowExA(0, "no such class", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    const HWND window = CreateWindowExA(0, "reader CLASS", "x", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    // This layer has one window: a second one is refused, the first stays.
    EXPECT_EQ(CreateWindowExA(0, MAKEINTRESOURCEA(atom), "y", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_TRUE(posix::user::IsMainWindow(window));
}

TEST_F(WindowCreationTest, MetricsIconAndCursors) {
    ASSERT_TRUE(posix::video::EnsureVideo());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktop.w);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktop.h);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(42), 0);

    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "TOPA"), nullptr);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), "NONE"), nullptr);

    SetCursor(arrow);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(SetCursor(arrow), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(WindowCreationTest, TheTitleIsShownInUtf8) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = testwindow::RecordingProc;
    windowClass.lpszClassName = "titled";
    RegisterClassA(&windowClass);
    // "前編" in CP932, then a lone lead byte.
    ASSERT_NE(CreateWindowExA(0, "titled", "\x91\x4f\x95\xd2\x82", WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(posix::video::HostWindow()), "前編・");
}

// Without a display and without an explicit driver there is no video; run in a
// fresh process, since the answer is kept once known.
TEST(VideoAvailability, NoDisplayMeansNoVideo) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("SDL_VIDEODRIVER");
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            const bool up = posix::video::EnsureVideo();
            const bool noWindow = testwindow::CreateRecordingWindow() == nullptr;
            std::exit(!up && noWindow && GetSystemMetrics(SM_CXSCREEN) == 0 ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
}

}  // namespace
