// The window's pixels in memory shared with a local X server, sent without
// waiting. SDL's window surface is the same kind of image, but SDL_UpdateWindow-
// SurfaceRects ends with XSync: the program waits while the server copies the
// frame, about 1 ms for a 1920x1080 fade step and up to 15, and that wait made
// the steps' timing uneven. Here a put is only flushed; the server's report that it
// has copied is awaited when the pixels are next asked for, at the reader's pace
// long after it came. (A round trip there instead, XSync, cost more than it saved.)
#ifndef PLATFORM_POSIX_VIDEO_LINUX_X11_IMAGE_H
#define PLATFORM_POSIX_VIDEO_LINUX_X11_IMAGE_H

struct SDL_Rect;
struct SDL_Surface;
struct SDL_Window;

namespace posix::video {

// The image of the window at its size now (XRGB8888), once the server has copied
// every put from it; null when it cannot be had: another driver than X11, a server
// on another machine or without MIT-SHM, a window whose visual is not XRGB.
SDL_Surface* X11Image(SDL_Window* window);
// Sends rectangles of the window's image; false when the window has none.
bool PutX11Image(SDL_Window* window, const SDL_Rect* rects, int count);
// Before the window goes: waits for the copies and lets the image go.
void ReleaseX11Image();

// Whether a display name is of a server on this machine (":0", "unix:0"), the only
// one that can share memory or the GPU with this process.
bool IsLocalX11Server(const char* name);

}  // namespace posix::video

#endif
