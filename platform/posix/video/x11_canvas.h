// The window's pixels on a local X server, as an image in shared memory that the
// server copies from without the program waiting. SDL's own window surface sends
// its rectangles the same way but then waits (XSync) until the server has copied
// them: at 3840x2160 a fade step's picture is 25 MB and the wait 4 to 7 ms of every
// 20 ms step, spent in the present itself. Here a present hands the rectangles over
// and returns; the server copies while the program waits for its next step, and
// a present waits only if it writes rows whose copy the server has not finished.
#ifndef PLATFORM_POSIX_VIDEO_X11_CANVAS_H
#define PLATFORM_POSIX_VIDEO_X11_CANVAS_H

struct SDL_Rect;
struct SDL_Surface;
struct SDL_Window;

namespace posix::video {

// The image for the window at its present size: made at the first call and again
// when the window's size changes. Rows of it are written only after
// AwaitX11CanvasRows. Null where it cannot be had
// (another driver, a remote display, no MIT-SHM, a visual that is not 32-bit XRGB):
// then the caller draws in SDL's window surface, and asks again only for a new window.
SDL_Surface* X11Canvas(SDL_Window* window);

// Queues the copy of rectangles of the image to the window; false when the window
// has no canvas.
bool ShowX11CanvasRects(SDL_Window* window, const SDL_Rect* rects, int count);
// Sends what is queued and returns at once.
void SendX11Canvas();
// Returns once the server has copied what was sent of rows [top, bottom).
void AwaitX11CanvasRows(SDL_Window* window, int top, int bottom);

// Lets the image and its connection go (before the window goes).
void ReleaseX11Canvas();

}  // namespace posix::video

#endif
