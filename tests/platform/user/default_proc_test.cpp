// What the default procedure and TranslateMessage do with what they are given.
#include "platform/posix/user/keyboard.h"
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

namespace {

using testwindow::Log;
using testwindow::MessagesIn;
using testwindow::Pump;

class DefaultProcTest : public testwindow::CreatedWindowTest {};

TEST_F(DefaultProcTest, AltF4AsksToCloseAndTheDefaultCloseDestroysTheWindow) {
    testwindow::PassEverythingOn() = true;
    testhooks::PushKeyDown(SDLK_F4, KMOD_LALT);
    Pump();
    EXPECT_EQ(MessagesIn(Log()),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(posix::user::MainWindow(), nullptr);
    EXPECT_EQ(posix::video::HostWindow(), nullptr);
    EXPECT_EQ(SendMessageA(window_, WM_CLOSE, 0, 0), 0);  // a stale handle reaches nobody
}

TEST_F(DefaultProcTest, AProcedureThatRefusesWmCloseKeepsItsWindow) {
    testhooks::PushKeyDown(SDLK_F4, KMOD_LALT);
    Pump();
    EXPECT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE}));
    EXPECT_TRUE(posix::user::IsMainWindow(window_));
}

TEST_F(DefaultProcTest, DestroyingTheWindowLetsItsProcedureQuit) {
    DefWindowProcA(window_, WM_CLOSE, 0, 0);  // the recording procedure posts quit on WM_DESTROY
    EXPECT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_DESTROY}));
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    // A new window can be made afterwards.
    EXPECT_NE(testwindow::CreateRecordingWindow(), nullptr);
}

TEST_F(DefaultProcTest, AnUnknownMessageReturnsZeroAndChangesNothing) {
    EXPECT_EQ(DefWindowProcA(window_, 0x0401, 12, 34), 0);
    EXPECT_EQ(DispatchMessageA(nullptr), 0);
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(posix::user::IsMainWindow(window_));
    EXPECT_TRUE(Log().empty());
}

TEST_F(DefaultProcTest, DefaultSetCursorShowsTheClassCursor) {
    SetCursor(nullptr);
    EXPECT_EQ(DefWindowProcA(window_, WM_SETCURSOR, reinterpret_cast<WPARAM>(window_),
                             HTCLIENT | (WM_MOUSEMOVE << 16)),
              TRUE);
    EXPECT_EQ(SetCursor(nullptr), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

TEST_F(DefaultProcTest, TranslateMessageAddsCharactersForCharacterKeys) {
    testhooks::PushKeyDown(SDLK_a);
    testhooks::PushKeyDown(SDLK_a, KMOD_LSHIFT);
    testhooks::PushKeyDown(SDLK_LCTRL, KMOD_LCTRL);  // no character
    testhooks::PushKeyDown(SDLK_c, KMOD_LCTRL);      // Ctrl+C is ETX
    testhooks::PushKeyUp(SDLK_c);
    testhooks::PushKeyDown(SDLK_ESCAPE);
    const std::vector<MSG> taken = Pump();
    ASSERT_EQ(MessagesIn(taken), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYDOWN, WM_CHAR, WM_KEYDOWN,
                                                   WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(taken[1].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(taken[1].lParam, taken[0].lParam);
    EXPECT_EQ(taken[3].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(taken[6].wParam, 3u);
    EXPECT_EQ(taken[9].wParam, 0x1Bu);

    MSG posted{};
    posted.message = 0x0401;
    EXPECT_FALSE(TranslateMessage(&posted));
    posted.message = WM_KEYUP;
    EXPECT_TRUE(TranslateMessage(&posted));
}

TEST(CharacterMapping, ShiftCapsAndCtrlCombine) {
    using posix::user::CharacterFor;
    EXPECT_EQ(CharacterFor('Q', KMOD_CAPS), 'Q');
    EXPECT_EQ(CharacterFor('Q', KMOD_CAPS | KMOD_LSHIFT), 'q');
    EXPECT_EQ(CharacterFor('1', KMOD_LSHIFT), '!');
    EXPECT_EQ(CharacterFor(VK_RETURN, KMOD_LCTRL), '\n');
    EXPECT_EQ(CharacterFor('5', KMOD_LCTRL), 0);
    EXPECT_EQ(CharacterFor('A', KMOD_LCTRL | KMOD_LALT), 0);  // AltGr makes no character here
}

}  // namespace
