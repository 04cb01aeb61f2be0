// Presents the 8-bit front page through its palette, scaled to the window.
#include "platform/posix/screen/screen.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/screen/frame_record.h"
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

bool IsArgbLike(Uint32 format) {
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

// Makes the sharp picture (the page scaled up by a whole factor) when it is missing
// or of another size; true when it was made anew and so holds nothing yet. It has
// the window's format where that is XRGB or ARGB, so copies to the window are plain.
bool EnsureSharpPicture(ScreenState& state, int width, int height, Uint32 windowFormat) {
    const Uint32 format =
        IsArgbLike(windowFormat) ? windowFormat : static_cast<Uint32>(SDL_PIXELFORMAT_RGB888);
    SDL_Surface* sharp = state.sharp;
    if (sharp != nullptr && sharp->w == width && sharp->h == height &&
        sharp->format->format == format)
        return false;
    if (sharp != nullptr) SDL_FreeSurface(sharp);
    state.sharp = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    if (state.sharp != nullptr) SDL_SetSurfaceBlendMode(state.sharp, SDL_BLENDMODE_NONE);
    return true;
}

SDL_Rect ToSdl(const Rect& rect) { return SDL_Rect{rect.x, rect.y, rect.width, rect.height}; }

void FillBlack(SDL_Surface* surface, const SDL_Rect* rect) {
    SDL_FillRect(surface, rect, SDL_MapRGB(surface->format, 0, 0, 0));
}

// Draws the page into the window's surface; returns the part of the window that
// changed. A character changes a few rows of the page: only those are converted,
// scaled and, when the picture fills its place at a whole factor, sent.
SDL_Rect DrawPage(ScreenState& state, const Frame& frame, SDL_Surface* window, bool whole) {
    const bool paletteChanged = state.palette.Update(frame.palette);
    RowSpan changed = ConvertChangedRows(frame.pixels, state.palette.Argb(),
                                         paletteChanged || whole, &state.shownPage,
                                         &state.picture);
    state.pictureWidth = frame.pixels.width;
    state.pictureHeight = frame.pixels.height;
    const ScreenLayout layout =
        LayoutFor(state.pictureWidth, state.pictureHeight, window->w, window->h);
    const int scale = layout.sharpScale;
    if (EnsureSharpPicture(state, state.pictureWidth * scale, state.pictureHeight * scale,
                           window->format->format)) {
        whole = true;
        changed = RowSpan{0, state.pictureHeight};
    }
    SDL_Surface* sharp = state.sharp;
    if (sharp == nullptr) return SDL_Rect{};
    if (whole) {
        for (int i = 0; i < layout.bars; ++i) {
            const SDL_Rect bar = ToSdl(layout.bar[i]);
            FillBlack(window, &bar);
        }
    }
    if (changed.empty()) return whole ? SDL_Rect{0, 0, window->w, window->h} : SDL_Rect{};
    auto* rows = static_cast<uint8_t*>(sharp->pixels) +
                 static_cast<ptrdiff_t>(changed.first) * scale * sharp->pitch;
    CopyScaledRows(state.picture, state.pictureWidth, changed, scale, rows, sharp->pitch);

    SDL_Rect place = ToSdl(layout.picture);
    if (layout.smoothFit) {
        // Every row of the window depends on two of the sharp picture: it is fitted whole.
        if (sharp->format->format == window->format->format) {
            SDL_SoftStretchLinear(sharp, nullptr, window, &place);
        } else {
            SDL_BlitScaled(sharp, nullptr, window, &place);
        }
    } else {
        SDL_Rect from{0, changed.first * scale, sharp->w, (changed.end - changed.first) * scale};
        place.y += from.y;
        place.h = from.h;
        SDL_Rect to = place;
        SDL_BlitSurface(sharp, &from, window, &to);
    }
    return whole ? SDL_Rect{0, 0, window->w, window->h} : place;
}

bool HasPage(const Frame& frame) {
    return frame.pixels.pixels != nullptr && frame.pixels.width > 0 && frame.pixels.height > 0 &&
           frame.pixels.pitch >= frame.pixels.width;
}

void Present() {
    ScreenState& state = State();
    state.presentPending = false;
    if (!state.open) return;
    SDL_Window* host = video::HostWindow();
    // SDL makes the surface again after a resize: then it holds nothing of ours.
    SDL_Surface* window = host != nullptr ? SDL_GetWindowSurface(host) : nullptr;
    if (window == nullptr || window->w <= 0 || window->h <= 0) return;
    const bool whole = state.repaint || window != state.window || window->w != state.windowWidth ||
                       window->h != state.windowHeight;
    state.window = window;
    state.windowWidth = window->w;
    state.windowHeight = window->h;
    state.repaint = false;
    Frame frame{};
    SDL_Rect shown{0, 0, window->w, window->h};
    if (state.source != nullptr && state.source(&frame) && HasPage(frame)) {
        RecordFrame(frame);
        shown = DrawPage(state, frame, window, whole);
    } else {
        FillBlack(window, nullptr);  // no page yet: the screen is black
        state.repaint = true;        // and the page, when it comes, is drawn whole
    }
    if (shown.w > 0 && shown.h > 0) SDL_UpdateWindowSurfaceRects(host, &shown, 1);
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
    if (window == nullptr || SDL_GetWindowSurface(window) == nullptr) return false;
    static bool exitHandlerSet = false;
    if (!exitHandlerSet) {
        exitHandlerSet = true;
        std::atexit(CloseScreenAtExit);  // runs before video shuts down
    }
    ScreenState& state = State();
    state.open = true;
    state.repaint = true;
    Present();
    return true;
}

void CloseScreen() {
    ScreenState& state = State();
    state.open = false;
    state.presentPending = false;
    if (state.sharp != nullptr) SDL_FreeSurface(state.sharp);
    state.sharp = nullptr;
    state.window = nullptr;  // SDL's, and gone with the window
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
