// The processor's way: the page fitted into the window's own surface (on X, the
// shared-memory image the server shows), redoing only the window rows that depend
// on the page rows that changed. Besides the window's surface it keeps a few rows'
// worth of memory, whatever the window's size.
#ifndef PLATFORM_POSIX_SCREEN_SURFACE_PATH_H
#define PLATFORM_POSIX_SCREEN_SURFACE_PATH_H

#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/window_refit.h"

#include <cstdint>
#include <vector>

struct SDL_Surface;
struct SDL_Window;

namespace posix::screen {

struct SurfacePath {
    SDL_Surface* window = nullptr;  // the window's surface last drawn in (SDL's own)
    int width = 0;
    int height = 0;
    RefitGeometry geometry;
    FittedLines lines;
    std::vector<uint32_t> row;      // one row, for a window whose pixels are not XRGB
    std::vector<uint32_t> swapped;  // the palette as XBGR, for a window in that order
};

// Draws the part of picture that changed, rows by columns (all of it after
// repaint, a new surface or a new size), and sends it to the display. False when
// the window has no surface.
bool PresentInWindowSurface(SurfacePath& path, SDL_Window* host, const Picture& picture,
                            RowSpan changed, ColumnSpan changedColumns, bool repaint);
// No page to show: the window goes black.
bool ShowBlackInWindowSurface(SurfacePath& path, SDL_Window* host);
void ForgetWindowSurface(SurfacePath& path);

}  // namespace posix::screen

#endif
