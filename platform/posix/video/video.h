// SDL's video and events, and the one SDL window that stands for the program's
// window: the ground that the window, the screen and DirectDraw stand on.
#ifndef PLATFORM_POSIX_VIDEO_VIDEO_H
#define PLATFORM_POSIX_VIDEO_VIDEO_H

#include "platform/posix/video/presenting.h"

struct SDL_Rect;
struct SDL_Surface;
struct SDL_Window;

namespace posix::video {

// Starts SDL's video and events once; false when no display can be had.
bool EnsureVideo();

// A borderless SDL window with a UTF-8 title; null when SDL refuses. There is at
// most one: a second is refused while the first lives.
SDL_Window* CreateHostWindow(const char* title, int x, int y, int width, int height,
                             bool visible);
// The window, or null when none exists.
SDL_Window* HostWindow();
void DestroyHostWindow();

// How the window is drawn, chosen when video starts; the window is made for it.
const PresentingChoice& Presenting();

// The pixels the processor draws the window in, made again when the window's size
// changes; null when the window has none. Each time they are asked for, they may be
// written: whatever was sent from them has reached the display.
SDL_Surface* WindowSurface(SDL_Window* window);
// Sends rectangles of the window's pixels to the display. Per host, as the one
// above: linux/window_surface.cpp or web/window_surface.cpp.
void ShowWindowRects(SDL_Window* window, const SDL_Rect* rects, int count);

// The display connection's descriptor, readable when input or a window event
// arrives from the display server; -1 without a window or on a driver that has
// none to give (the dummy driver, Wayland).
int InputDescriptor();

}  // namespace posix::video

#endif
