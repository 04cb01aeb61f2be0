// SDL video and events, started once for the window, the screen and input.
#include "platform/posix/internal.h"
#include "platform/posix/user/quit_signals.h"
#include "platform/posix/user/window.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace {

enum class VideoState { NotTried, Up, Unavailable };
VideoState State = VideoState::NotTried;

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Without an explicit SDL_VIDEODRIVER only a real display will do: SDL would
// otherwise fall back to drivers that show nothing to anyone.
bool ChooseDisplayDriver() {
    if (IsSet("SDL_VIDEODRIVER")) return true;
    std::string drivers;
    if (IsSet("DISPLAY")) drivers = "x11";
    if (IsSet("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
    if (drivers.empty()) return false;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    return true;
}

void SetPresentationHints() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");       // our handlers post WM_QUIT
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");  // a close request is WM_CLOSE only
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
}

void ShutDownVideo() {
    posix::CloseScreen();
    posix::user::DestroyMainWindow(false);
    SDL_Quit();
}

}  // namespace

namespace posix {

bool EnsureVideo() {
    if (State != VideoState::NotTried) return State == VideoState::Up;
    user::InstallQuitSignalHandlers();
    SetPresentationHints();
    State = VideoState::Unavailable;
    if (!ChooseDisplayDriver()) return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    SDL_StopTextInput();  // keys are read as keys; no input method in between
    std::atexit(ShutDownVideo);
    State = VideoState::Up;
    return true;
}

}  // namespace posix
