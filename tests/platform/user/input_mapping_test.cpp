// SDL events as the messages Windows delivers: keys, mouse, focus, close requests.
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

namespace {

using testwindow::Log;
using testwindow::MessagesIn;
using testwindow::Pump;

const LPARAM kRepeatBit = 1 << 30;
const LPARAM kAltContext = 1 << 29;
const uint32_t kReleased = 1u << 31;

uint32_t Bits(LPARAM lParam) { return static_cast<uint32_t>(lParam); }

class InputMappingTest : public testwindow::CreatedWindowTest {
protected:
    // Only what was queued, without the characters TranslateMessage adds.
    std::vector<MSG> TakeQueued() {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back(msg);
        return taken;
    }
};

TEST_F(InputMappingTest, EitherCtrlIsVkControlWithRepeatsAndRelease) {
    testhooks::PushKeyDown(SDLK_LCTRL, KMOD_LCTRL);
    testhooks::PushKeyDown(SDLK_LCTRL, KMOD_LCTRL, true);
    testhooks::PushKeyUp(SDLK_LCTRL);
    testhooks::PushKeyDown(SDLK_RCTRL, KMOD_RCTRL);
    const std::vector<MSG> taken = TakeQueued();
    ASSERT_EQ(taken.size(), 4u);
    for (const MSG& msg : taken) {
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_CONTROL));
        EXPECT_EQ(msg.hwnd, window_);
        EXPECT_EQ(Bits(msg.lParam) & 0xFFFF, 1u);  // repeat count
    }
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(Bits(taken[0].lParam) & kRepeatBit, 0u);
    EXPECT_EQ((Bits(taken[0].lParam) >> 16) & 0xFF, 0x1Du);  // scan code of Ctrl
    EXPECT_EQ(taken[1].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_NE(Bits(taken[1].lParam) & kRepeatBit, 0u);
    EXPECT_EQ(taken[2].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(Bits(taken[2].lParam) & (kRepeatBit | kReleased), kRepeatBit | kReleased);
    EXPECT_EQ(taken[3].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_NE(Bits(taken[3].lParam) & (1u << 24), 0u);  // right Ctrl is an extended key
}

TEST_F(InputMappingTest, OrdinaryKeysGetTheirVirtualKeyCodes) {
    struct Case { SDL_Keycode key; UINT virtualKey; };
    const Case cases[] = {
        {SDLK_a, 'A'}, {SDLK_z, 'Z'}, {SDLK_5, '5'}, {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_SPACE, VK_SPACE}, {SDLK_RETURN, VK_RETURN}, {SDLK_F1, VK_F1}, {SDLK_F12, VK_F12},
        {SDLK_LEFT, VK_LEFT}, {SDLK_DOWN, VK_DOWN}, {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_SEMICOLON, VK_OEM_1}, {SDLK_DELETE, VK_DELETE},
    };
    for (const Case& c : cases) {
        testhooks::PushKeyDown(c.key);
        const std::vector<MSG> taken = TakeQueued();
        ASSERT_EQ(taken.size(), 1u) << SDL_GetKeyName(c.key);
        EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_KEYDOWN)) << SDL_GetKeyName(c.key);
        EXPECT_EQ(taken[0].wParam, c.virtualKey) << SDL_GetKeyName(c.key);
    }
    testhooks::PushKeyDown(SDLK_KP_8, KMOD_NUM);
    testhooks::PushKeyDown(SDLK_KP_8);  // Num Lock off: the cursor key it is labelled with
    const std::vector<MSG> keypad = TakeQueued();
    ASSERT_EQ(keypad.size(), 2u);
    EXPECT_EQ(keypad[0].wParam, static_cast<WPARAM>(VK_NUMPAD0 + 8));
    EXPECT_EQ(keypad[1].wParam, static_cast<WPARAM>(VK_UP));
}

TEST_F(InputMappingTest, AltKeysAndF10AreSystemKeysButCtrlAltIsNot) {
    testhooks::PushKeyDown(SDLK_LALT, KMOD_LALT);
    testhooks::PushKeyDown(SDLK_x, KMOD_LALT);
    testhooks::PushKeyUp(SDLK_x, KMOD_LALT);
    testhooks::PushKeyUp(SDLK_LALT);
    testhooks::PushKeyDown(SDLK_F10);
    testhooks::PushKeyUp(SDLK_F10);
    testhooks::PushKeyDown(SDLK_x, KMOD_LALT | KMOD_LCTRL);
    const std::vector<MSG> taken = TakeQueued();
    EXPECT_EQ(MessagesIn(taken),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP,
                                 WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN}));
    ASSERT_EQ(taken.size(), 7u);
    EXPECT_EQ(taken[0].wParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(taken[1].wParam, static_cast<WPARAM>('X'));
    EXPECT_NE(taken[1].lParam & kAltContext, 0);
    EXPECT_EQ(taken[4].wParam, static_cast<WPARAM>(VK_F10));
    EXPECT_EQ(taken[4].lParam & kAltContext, 0);  // F10 without Alt
    EXPECT_EQ(taken[6].lParam & kAltContext, 0);
}

TEST_F(InputMappingTest, OnlyRealMotionIsAMoveAndEachIsAnnouncedBySetCursor) {
    testhooks::PushMouseMotion(100, 50);
    testhooks::PushMouseMotion(100, 50);  // the same position again: SDL's spurious motion
    testhooks::PushMouseMotion(101, 50);
    const std::vector<MSG> taken = TakeQueued();
    // Merged as Windows merges moves still waiting: only the latest position is left.
    ASSERT_EQ(MessagesIn(taken), (std::vector<UINT>{WM_MOUSEMOVE}));
    EXPECT_EQ(LOWORD(taken[0].lParam), 101);
    EXPECT_EQ(HIWORD(taken[0].lParam), 50);
    // WM_SETCURSOR was sent once for each of the two real moves.
    ASSERT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_SETCURSOR, WM_SETCURSOR}));
    EXPECT_EQ(Log()[0].wParam, reinterpret_cast<WPARAM>(window_));
    EXPECT_EQ(Log()[0].lParam, static_cast<LPARAM>(HTCLIENT | (WM_MOUSEMOVE << 16)));

    Log().clear();
    testhooks::PushMouseMotion(101, 50);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_TRUE(Log().empty());
}

TEST_F(InputMappingTest, MotionToWhereThePointerWasAtCreationIsNoMove) {
    const SDL_Point start = testhooks::PointerPosition();
    testhooks::PushMouseMotion(start.x, start.y);
    EXPECT_TRUE(TakeQueued().empty());
}

TEST_F(InputMappingTest, ButtonsBecomeButtonMessagesWithTheirFlags) {
    testhooks::PushMouseButton(SDL_BUTTON_LEFT, true, 10, 20);
    testhooks::PushMouseButton(SDL_BUTTON_LEFT, false, 10, 20);
    testhooks::PushMouseButton(SDL_BUTTON_RIGHT, true, 10, 20);
    testhooks::PushMouseButton(SDL_BUTTON_MIDDLE, true, 10, 20);
    testhooks::PushMouseButton(SDL_BUTTON_MIDDLE, false, 10, 20);
    testhooks::PushMouseButton(SDL_BUTTON_RIGHT, false, 10, 20);
    const std::vector<MSG> taken = TakeQueued();
    EXPECT_EQ(MessagesIn(taken),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                                 WM_MBUTTONUP, WM_RBUTTONUP}));
    ASSERT_EQ(taken.size(), 6u);
    EXPECT_EQ(taken[0].wParam, 0x0001u);           // MK_LBUTTON while it is down
    EXPECT_EQ(taken[1].wParam, 0u);
    EXPECT_EQ(taken[3].wParam, 0x0002u | 0x0010u);  // right and middle held
    EXPECT_EQ(taken[0].lParam, static_cast<LPARAM>(10 | (20 << 16)));
}

TEST_F(InputMappingTest, FocusChangesAreOneActivateAppEach) {
    testhooks::PushFocus(true);  // already active since creation: no change
    testhooks::PushFocus(false);
    testhooks::PushFocus(false);
    testhooks::PushFocus(true);
    Pump();
    ASSERT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_ACTIVATEAPP, WM_ACTIVATEAPP}));
    EXPECT_EQ(Log()[0].wParam, 0u);
    EXPECT_EQ(Log()[1].wParam, 1u);
}

TEST_F(InputMappingTest, CloseRequestsAreWmCloseAndNeverWmQuit) {
    testhooks::PushCloseRequest();
    testhooks::PushQuitRequest();
    const std::vector<MSG> taken = Pump();
    EXPECT_EQ(MessagesIn(Log()), (std::vector<UINT>{WM_CLOSE, WM_CLOSE}));
    EXPECT_TRUE(taken.empty());  // the procedure refused: nothing was queued, no WM_QUIT
    EXPECT_TRUE(posix::user::IsMainWindow(window_));
}

TEST_F(InputMappingTest, PeekWithoutRemoveReportsInputJustPumped) {
    testhooks::PushKeyDown(SDLK_ESCAPE);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
}

}  // namespace
