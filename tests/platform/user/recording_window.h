// A window whose procedure records every message it is given, for the tests of
// the window, the queue, input and the screen. Headless on SDL's dummy driver.
#ifndef TESTS_PLATFORM_USER_RECORDING_WINDOW_H
#define TESTS_PLATFORM_USER_RECORDING_WINDOW_H

#include "platform/posix/test_hooks.h"
#include "platform/posix/user/window.h"
#include "platform/posix/video/video.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace testwindow {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What the procedure was given, in order.
inline std::vector<Received>& Log() {
    static std::vector<Received> log;
    return log;
}

// How the procedure treats WM_CLOSE and WM_DESTROY: as the reader does (refuse to
// close, quit on destroy) or pass everything to DefWindowProcA.
inline bool& PassEverythingOn() {
    static bool passOn = false;
    return passOn;
}

inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().push_back(Received{message, wParam, lParam});
    if (!PassEverythingOn()) {
        if (message == WM_CLOSE) return 1;
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 1;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline HWND CreateRecordingWindow(int width = 640, int height = 480, DWORD style = WS_POPUP | WS_VISIBLE | WS_SYSMENU) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "RecordingWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "RecordingWindow", "Recording", style, 0, 0, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Takes every waiting message the way the reader's pump does, dispatching each.
inline std::vector<MSG> Pump() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&msg, nullptr, 0, 0) == 0) {
            taken.push_back(msg);
            break;
        }
        taken.push_back(msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return taken;
}

inline std::vector<UINT> MessagesIn(const std::vector<Received>& log) {
    std::vector<UINT> messages;
    for (const Received& entry : log) messages.push_back(entry.message);
    return messages;
}

inline std::vector<UINT> MessagesIn(const std::vector<MSG>& taken) {
    std::vector<UINT> messages;
    for (const MSG& msg : taken) messages.push_back(msg.message);
    return messages;
}

// Every test starts with no window, an empty queue and SDL's dummy drivers.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        testhooks::ResetWindowAndScreen();
        testhooks::UseRealClock();
        Log().clear();
        PassEverythingOn() = false;
    }
    void TearDown() override {
        testhooks::ResetWindowAndScreen();
        testhooks::UseRealClock();
    }
};

// The same, with a visible window already created and its creation messages taken.
class CreatedWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window_ = CreateRecordingWindow();
        ASSERT_NE(window_, nullptr);
        Pump();
        Log().clear();
    }
    HWND window_ = nullptr;
};

}  // namespace testwindow

#endif
