// Presents the 8-bit front page through its palette, scaled to the window.
#include "platform/posix/screen/screen.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/present_trace.h"
#include "platform/posix/screen/screen_layout.h"
#include "platform/posix/screen/screen_state.h"
#include "platform/posix/video/video.h"

#include <SDL.h>

#include <cstdlib>

namespace posix::screen {

// PresentSoon shows at most one frame in this many milliseconds.
const DWORD kFrameMilliseconds = 16;

namespace {

// Makes the texture when it is missing or of another size; true in *fresh when it
// was made anew (its pixels then hold nothing of the picture).
bool EnsureTexture(ScreenState& state, int width, int height, bool smooth, bool* fresh) {
    *fresh = false;
    if (state.texture == nullptr || state.textureWidth != width || state.textureHeight != height) {
        *fresh = true;
        if (state.texture != nullptr) SDL_DestroyTexture(state.texture);
        // The pixels are opaque: in the window's own format (XRGB on X) the copy to
        // the window is a plain copy, with no blend and no conversion.
        state.texture = SDL_CreateTexture(state.renderer, SDL_PIXELFORMAT_RGB888,
                                          SDL_TEXTUREACCESS_STREAMING, width, height);
        state.textureWidth = state.texture != nullptr ? width : 0;
        state.textureHeight = state.texture != nullptr ? height : 0;
        if (state.texture == nullptr) return false;
    }
    SDL_SetTextureScaleMode(state.texture, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return true;
}

// Sends the rows that changed to the texture (all of them to a new texture).
bool UploadPicture(ScreenState& state, const ScreenLayout& layout, RowSpan changed) {
    const int scale = layout.sharpScale;
    bool fresh = false;
    if (!EnsureTexture(state, state.pictureWidth * scale, state.pictureHeight * scale,
                       layout.smoothFit, &fresh))
        return false;
    if (fresh) changed = RowSpan{0, state.pictureHeight};
    if (changed.empty()) return true;
    const SDL_Rect rows{0, changed.first * scale, state.textureWidth,
                        (changed.end - changed.first) * scale};
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(state.texture, &rows, &pixels, &pitch) != 0) return false;
    CopyScaledRows(state.picture, state.pictureWidth, changed, scale, pixels, pitch);
    SDL_UnlockTexture(state.texture);
    return true;
}

void DrawPage(ScreenState& state, const Frame& frame, int windowWidth, int windowHeight) {
    // A character changes a few rows of the page: only those are converted and sent.
    const bool paletteChanged = state.palette.Update(frame.palette);
    const RowSpan changed = ConvertChangedRows(frame.pixels, state.palette.Argb(), paletteChanged,
                                               &state.shownPage, &state.picture);
    state.pictureWidth = frame.pixels.width;
    state.pictureHeight = frame.pixels.height;
    const ScreenLayout layout =
        LayoutFor(state.pictureWidth, state.pictureHeight, windowWidth, windowHeight);
    if (!UploadPicture(state, layout, changed)) {
        SDL_RenderClear(state.renderer);
        return;
    }
    for (int i = 0; i < layout.bars; ++i) {
        const Rect& bar = layout.bar[i];
        const SDL_Rect rect{bar.x, bar.y, bar.width, bar.height};
        SDL_RenderFillRect(state.renderer, &rect);
    }
    const SDL_Rect target{layout.picture.x, layout.picture.y, layout.picture.width,
                          layout.picture.height};
    SDL_RenderCopy(state.renderer, state.texture, nullptr, &target);
}

bool HasPage(const Frame& frame) {
    return frame.pixels.pixels != nullptr && frame.pixels.width > 0 && frame.pixels.height > 0 &&
           frame.pixels.pitch >= frame.pixels.width;
}

void Present() {
    ScreenState& state = State();
    state.presentPending = false;
    if (!state.open || state.renderer == nullptr) return;
    int windowWidth = 0, windowHeight = 0;
    if (SDL_GetRendererOutputSize(state.renderer, &windowWidth, &windowHeight) != 0 ||
        windowWidth <= 0 || windowHeight <= 0)
        return;
    Frame frame{};
    SDL_SetRenderDrawColor(state.renderer, 0, 0, 0, 255);
    if (state.source != nullptr && state.source(&frame) && HasPage(frame)) {
        DrawPage(state, frame, windowWidth, windowHeight);
    } else {
        SDL_RenderClear(state.renderer);  // no page yet: the screen is black
    }
    SDL_RenderPresent(state.renderer);
    TracePresent();
    state.presentedOnce = true;
    state.lastPresentTick = kernel::CurrentTick();
    ++state.presentCount;
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
    SDL_Window* window = video::HostWindow();
    if (window == nullptr) return false;
    ScreenState& state = State();
    if (state.renderer == nullptr) {
        state.renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (state.renderer == nullptr) return false;
        static bool exitHandlerSet = false;
        if (!exitHandlerSet) {
            exitHandlerSet = true;
            std::atexit(CloseScreenAtExit);  // runs before video shuts down
        }
    }
    state.open = true;
    Present();
    return true;
}

void CloseScreen() {
    ScreenState& state = State();
    state.open = false;
    state.presentPending = false;
    if (state.texture != nullptr) SDL_DestroyTexture(state.texture);
    if (state.renderer != nullptr) SDL_DestroyRenderer(state.renderer);
    state.texture = nullptr;
    state.renderer = nullptr;
    state.textureWidth = 0;
    state.textureHeight = 0;
}

void PresentNow() { Present(); }

void PresentSoon() {
    if (State().open) State().presentPending = true;
}

void PresentPendingFrame() {
    ScreenState& state = State();
    if (!state.presentPending) return;
    if (state.presentedOnce && kernel::CurrentTick() - state.lastPresentTick < kFrameMilliseconds)
        return;
    Present();
}

}  // namespace posix::screen
