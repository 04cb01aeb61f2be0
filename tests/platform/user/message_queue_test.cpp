// The queue: order, filters, PM_NOREMOVE, WM_QUIT and posting rules.
#include "platform/posix/user/message_queue.h"
#include "tests/platform/user/recording_window.h"

#include <gtest/gtest.h>

namespace {

using testwindow::MessagesIn;
using testwindow::Pump;
using testwindow::WindowTest;

// Private messages of the application (WM_USER and up).
const UINT kFirst = 0x0401;
const UINT kSecond = 0x0402;
const UINT kThird = 0x0403;

class MessageQueueTest : public WindowTest {};

TEST_F(MessageQueueTest, PostedMessagesComeInOrderAndPeekWithoutRemoveLeavesThem) {
    const HWND window = testwindow::CreateRecordingWindow();
    ASSERT_NE(window, nullptr);
    Pump();
    ASSERT_TRUE(PostMessageA(window, kFirst, 1, 2));
    ASSERT_TRUE(PostMessageA(nullptr, kSecond, 3, 4));  // a thread message
    ASSERT_TRUE(PostMessageA(window, kThird, 5, 6));

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, kFirst);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, kFirst);  // still there

    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, kFirst);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(msg.lParam, 2);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kSecond);
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kThird);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, FiltersSelectByWindowAndRangeButNeverHoldBackQuit) {
    const HWND window = testwindow::CreateRecordingWindow();
    Pump();
    PostMessageA(nullptr, kFirst, 0, 0);
    PostMessageA(window, kSecond, 0, 0);
    PostMessageA(window, kThird, 0, 0);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, window, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, kSecond);  // the thread message is not the window's
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, kFirst);   // -1: thread messages only
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, kThird, kThird, PM_REMOVE));
    EXPECT_EQ(msg.message, kThird);

    PostQuitMessage(7);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);

    // Another window's handle is refused.
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(0x1234), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(0x1234), 0, 0), -1);
}

TEST_F(MessageQueueTest, QuitComesAfterEverythingElseAndGetMessageConsumesIt) {
    const HWND window = testwindow::CreateRecordingWindow();
    Pump();
    PostQuitMessage(0);
    PostMessageA(window, kFirst, 0, 0);
    testhooks::PushKeyDown(SDLK_a);

    MSG msg{};
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, kFirst);
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // consumed
}

TEST_F(MessageQueueTest, PostedMessagesOvertakeInputAlreadyWaiting) {
    const HWND window = testwindow::CreateRecordingWindow();
    Pump();
    testhooks::PushKeyDown(SDLK_a);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // the key is now queued
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    PostMessageA(window, kFirst, 0, 0);
    EXPECT_EQ(MessagesIn(Pump()), (std::vector<UINT>{kFirst, WM_KEYDOWN, WM_CHAR}));
}

TEST_F(MessageQueueTest, PostingNeedsALiveWindowOrNone) {
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x1234), kFirst, 0, 0));
    const HWND window = testwindow::CreateRecordingWindow();
    testwindow::PassEverythingOn() = true;
    Pump();
    PostMessageA(window, kFirst, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);  // the default procedure destroys it
    EXPECT_FALSE(PostMessageA(window, kFirst, 0, 0));
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // its messages went with it
    EXPECT_EQ(SendMessageA(window, kFirst, 0, 0), 0);
    EXPECT_TRUE(PostMessageA(nullptr, kFirst, 0, 0));
}

TEST(MessageQueueLimits, MouseMovesMergeAndPostsStopAtTheLimit) {
    posix::user::MessageQueue queue;
    MSG move{};
    move.message = WM_MOUSEMOVE;
    move.lParam = 1;
    queue.PostInput(move, 0);
    move.lParam = 2;
    queue.PostInput(move, 0);
    MSG key{};
    key.message = WM_KEYDOWN;
    queue.PostInput(key, 0);
    move.lParam = 3;
    queue.PostInput(move, 0);  // a key lies between: not merged

    posix::user::QueuedMessage taken;
    const posix::user::MessageFilter all;
    ASSERT_TRUE(queue.Take(all, true, &taken));
    EXPECT_EQ(taken.msg.lParam, 2);
    ASSERT_TRUE(queue.Take(all, true, &taken));
    EXPECT_EQ(taken.msg.message, static_cast<UINT>(WM_KEYDOWN));
    ASSERT_TRUE(queue.Take(all, true, &taken));
    EXPECT_EQ(taken.msg.lParam, 3);
    EXPECT_TRUE(queue.Empty());

    MSG posted{};
    posted.message = kFirst;
    for (size_t i = 0; i < posix::user::MessageQueue::kPostLimit; ++i) ASSERT_TRUE(queue.Post(posted));
    EXPECT_FALSE(queue.Post(posted));
}

}  // namespace
