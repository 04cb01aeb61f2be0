// What the video module keeps (shared by video.cpp and its test hooks).
#ifndef PLATFORM_POSIX_VIDEO_VIDEO_STATE_H
#define PLATFORM_POSIX_VIDEO_VIDEO_STATE_H

#include "platform/posix/video/presenting.h"

#include <SDL_stdinc.h>

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
// desktop) or web/display.cpp (a canvas in a web page), which also answer
// DisplayHasGpu (presenting.h); the window's pixels, WindowSurface and
// ShowWindowRects (video.h) and LetWindowGo, are the host's window_surface.cpp.

// Names SDL's driver for the display there is; false when there is none.
bool ChooseDisplayDriver();
// SDL window flags besides borderless, shown or hidden, and GL.
Uint32 HostWindowFlags();
// Arranges for a rest to end when the display sends the window something. Returns
// the descriptor that a rest polls for it, or -1 where there is none to poll.
int WatchDisplay(SDL_Window* window);
// Before the window is destroyed: lets go of what was made for its pixels.
void LetWindowGo();

}  // namespace posix::video

#endif
