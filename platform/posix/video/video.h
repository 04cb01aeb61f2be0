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

// The pixels the processor draws the window in: SDL's window surface, or on a local
// X server an image it shares with the server (x11_canvas.h). Null when the window
// has none. Rows of it are written only after WaitUntilRowsFree.
SDL_Surface* WindowSurface(SDL_Window* window);
// Returns once the display has taken what was shown of rows [top, bottom).
void WaitUntilRowsFree(SDL_Window* window, int top, int bottom);

// Sends rectangles of the window's surface to the display, as
// SDL_UpdateWindowSurfaceRects does (which, in a browser, sends the whole canvas);
// on X's shared image they are only queued until SendToDisplay. A present is
// complete between the two: the server, woken by the sending, may take this very
// processor for its copy, and the present would seem to last as long as the copy.
void ShowWindowRects(SDL_Window* window, const SDL_Rect* rects, int count);
void SendToDisplay();

// The display connection's descriptor, readable when input or a window event
// arrives from the display server; -1 without a window or on a driver that has
// none to give (the dummy driver, Wayland).
int InputDescriptor();

}  // namespace posix::video

#endif
