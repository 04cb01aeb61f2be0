// What the video module keeps (shared by video.cpp and its test hooks).
#ifndef PLATFORM_POSIX_VIDEO_VIDEO_STATE_H
#define PLATFORM_POSIX_VIDEO_VIDEO_STATE_H

#include "platform/posix/video/presenting.h"

#include <SDL_stdinc.h>

struct SDL_Rect;
struct SDL_Surface;
struct SDL_Window;

namespace posix::video {

enum class VideoStart { NotTried, Up, Unavailable };

struct VideoState {
    VideoStart start = VideoStart::NotTried;
    bool exitHandlerSet = false;
    SDL_Window* host = nullptr;
    int inputDescriptor = -1;  // of the host window's display connection
    bool presentingChosen = false;
    PresentingChoice presenting;
};

VideoState& State();

// Where the window is shown. Per host: linux/display.cpp (an X11 or Wayland
// desktop) or web/display.cpp (a canvas in a web page); each also
// answers DisplayHasGpu (presenting.h).

// Names SDL's driver for the display there is; false when there is none.
bool ChooseDisplayDriver();
// SDL window flags besides borderless, shown or hidden, and GL.
Uint32 HostWindowFlags();
// The pixels the window is drawn in, and the sending of their rectangles.
SDL_Surface* DisplaySurface(SDL_Window* window);
void ShowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count);
void SendShownRects();
void AwaitShownRows(SDL_Window* window, int top, int bottom);
// Lets the pixels go before the window goes.
void ReleaseDisplaySurface();
// Arranges for a rest to end when the display sends the window something. Returns
// the descriptor that a rest polls for it, or -1 where there is none to poll.
int WatchDisplay(SDL_Window* window);

}  // namespace posix::video

#endif
