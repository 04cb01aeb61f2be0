#include "platform/posix/video/video.h"

#include "platform/posix/video/presenting.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>

#include <cstdlib>

namespace {

void SetPresentationHints() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");       // ours post WM_QUIT
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");  // a close request is WM_CLOSE only
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
}

// Chosen from the user's SDL hints as they stand in the environment, before this
// layer sets its own.
void ChoosePresentingOnce(posix::video::VideoState& state) {
    if (state.presentingChosen) return;
    state.presentingChosen = true;
    state.presenting = posix::video::ChoosePresenting(
        std::getenv("SDL_RENDER_DRIVER"), std::getenv("SDL_FRAMEBUFFER_ACCELERATION"),
        posix::video::DisplayHasGpu(SDL_GetCurrentVideoDriver()));
}

// Without a renderer, the window's surface is the display's own image (on X, shared
// memory), not a texture of a renderer that SDL would make for it.
void KeepWindowSurfacePlain(const posix::video::PresentingChoice& choice) {
    if (choice.presenter == posix::video::Presenter::WindowSurface)
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
}

// SDL's renderers other than its software one draw with GL: the window is made for
// GL from the start, as SDL would otherwise make it again when the renderer comes.
bool NeedsGlWindow(const posix::video::PresentingChoice& choice) {
    return choice.presenter == posix::video::Presenter::Renderer &&
           choice.rendererDriver != "software";
}

// Runs after the screen has let go of the window (registered later, so run earlier).
void ShutDownVideo() {
    posix::video::DestroyHostWindow();
    SDL_Quit();
}

}  // namespace

namespace posix::video {

VideoState& State() {
    static VideoState state;
    return state;
}

bool EnsureVideo() {
    VideoState& state = State();
    if (state.start != VideoStart::NotTried) return state.start == VideoStart::Up;
    SetPresentationHints();
    state.start = VideoStart::Unavailable;
    if (!ChooseDisplayDriver()) return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    SDL_StopTextInput();  // keys are read as keys; no input method in between
    ChoosePresentingOnce(state);
    KeepWindowSurfacePlain(state.presenting);
    if (!state.exitHandlerSet) std::atexit(ShutDownVideo);
    state.exitHandlerSet = true;
    state.start = VideoStart::Up;
    return true;
}

SDL_Window* CreateHostWindow(const char* title, int x, int y, int width, int height,
                             bool visible) {
    if (State().host != nullptr || !EnsureVideo()) return nullptr;
    const Uint32 flags = SDL_WINDOW_BORDERLESS | HostWindowFlags() |
                         (visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN) |
                         (NeedsGlWindow(State().presenting) ? SDL_WINDOW_OPENGL : 0);
    State().host = SDL_CreateWindow(title, x, y, width, height, flags);
    State().inputDescriptor = WatchDisplay(State().host);
    return State().host;
}

SDL_Window* HostWindow() { return State().host; }

const PresentingChoice& Presenting() { return State().presenting; }

void DestroyHostWindow() {
    if (State().host != nullptr) {
        LetWindowGo();
        SDL_DestroyWindow(State().host);
    }
    State().host = nullptr;
    State().inputDescriptor = -1;
}

int InputDescriptor() { return State().inputDescriptor; }

}  // namespace posix::video
