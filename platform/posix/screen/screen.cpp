// Presents the 8-bit front page through its palette, scaled to the window, by the
// GPU (renderer_path) or by the processor (surface_path), as video has chosen.
#include "platform/posix/screen/screen.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/frame_record.h"
#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/present_trace.h"
#include "platform/posix/screen/screen_state.h"
#include "platform/posix/video/video.h"

#include <SDL.h>

#include <cstdlib>

namespace posix::screen {

// PresentSoon shows at most one frame in this many milliseconds.
const DWORD kFrameMilliseconds = 16;

namespace {

bool UsesRenderer(const ScreenState& state) {
    return state.presenter == video::Presenter::Renderer;
}

bool HasPage(const Frame& frame) {
    return frame.pixels.pixels != nullptr && frame.pixels.width > 0 && frame.pixels.height > 0 &&
           frame.pixels.pitch >= frame.pixels.width;
}

// Takes the page and its palette as they are now; returns the rows whose colours
// changed, and in columns the columns that did.
RowSpan TakePage(ScreenState& state, const Frame& frame, ColumnSpan* columns) {
    const bool paletteChanged = state.palette.Update(frame.palette);
    const RowSpan changed =
        TakeChangedRows(frame.pixels, state.palette.Argb(),
                        paletteChanged ? state.palette.ChangedEntries() : nullptr,
                        &state.shownPage, columns);
    state.pictureWidth = frame.pixels.width;
    state.pictureHeight = frame.pixels.height;
    return changed;
}

bool ShowPage(ScreenState& state, SDL_Window* host, const Frame& frame, bool repaint) {
    RecordFrame(frame);
    ColumnSpan columns;
    const RowSpan changed = TakePage(state, frame, &columns);
    const Picture picture{state.shownPage.data(), state.palette.Argb(), state.pictureWidth,
                          state.pictureHeight};
    if (UsesRenderer(state)) return PresentWithRenderer(state.renderer, picture, changed);
    return PresentInWindowSurface(state.surface, host, picture, changed, columns, repaint);
}

bool ShowBlack(ScreenState& state, SDL_Window* host) {
    state.repaint = true;  // the page, when it comes, is drawn whole
    if (UsesRenderer(state)) return ShowBlackWithRenderer(state.renderer);
    return ShowBlackInWindowSurface(state.surface, host);
}

// Every frame that reaches the display passes here.
void FramePresented(ScreenState& state) {
    TracePresent();
    state.presentedOnce = true;
    state.lastPresentTick = kernel::CurrentTick();
    ++state.presentCount;
    kernel::LetHostRun();  // a browser shows the frame only when it has the thread
}

void Present() {
    ScreenState& state = State();
    state.presentPending = false;
    SDL_Window* host = video::HostWindow();
    if (!state.open || host == nullptr) return;
    const bool repaint = state.repaint;
    state.repaint = false;
    Frame frame{};
    const bool shown = state.source != nullptr && state.source(&frame) && HasPage(frame)
                           ? ShowPage(state, host, frame, repaint)
                           : ShowBlack(state, host);
    if (shown) FramePresented(state);
}

// The renderer when video chose one and SDL gives it; the window's surface otherwise.
bool TakeWindow(ScreenState& state, SDL_Window* host) {
    const video::PresentingChoice& choice = video::Presenting();
    if (choice.presenter == video::Presenter::Renderer &&
        OpenRenderer(state.renderer, host, choice.rendererDriver)) {
        state.presenter = video::Presenter::Renderer;
        return true;
    }
    state.presenter = video::Presenter::WindowSurface;
    return video::WindowSurface(host) != nullptr;
}

void CloseScreenAtExit() { CloseScreen(); }

}  // namespace

ScreenState& State() {
    static auto* state = new ScreenState;  // never destroyed: used by exit handlers
    return *state;
}

void SetFrameSource(FrameSource source) { State().source = source; }

bool OpenScreen(int width, int height) {
    if (width <= 0 || height <= 0 || !video::EnsureVideo()) return false;
    SDL_Window* host = video::HostWindow();
    ScreenState& state = State();
    if (host == nullptr || !TakeWindow(state, host)) return false;
    static bool exitHandlerSet = false;
    if (!exitHandlerSet) {
        exitHandlerSet = true;
        std::atexit(CloseScreenAtExit);  // runs before video shuts down
    }
    state.open = true;
    state.repaint = true;
    Present();
    return true;
}

void CloseScreen() {
    ScreenState& state = State();
    state.open = false;
    state.presentPending = false;
    CloseRenderer(state.renderer);
    ForgetWindowSurface(state.surface);
}

void PresentNow() { Present(); }

void PresentSoon() {
    if (State().open) State().presentPending = true;
}

void RepaintSoon() {
    if (!State().open) return;
    State().presentPending = true;
    State().repaint = true;
}

bool PresentPendingFrame() {
    ScreenState& state = State();
    if (!state.presentPending) return false;
    if (state.presentedOnce && kernel::CurrentTick() - state.lastPresentTick < kFrameMilliseconds)
        return false;
    Present();
    return true;
}

}  // namespace posix::screen
