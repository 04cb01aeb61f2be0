// The processor's way: the page scaled into SDL's window surface as the GPU would
// scale it (renderer_path.h): up sharp by the layout's whole factor, then sampled
// linearly at the centre of every window pixel. Each window pixel is so a blend of
// at most two page pixels across and two down, computed straight from the page;
// a present redoes only the window rows and columns that depend on the page pixels
// that changed. Besides the window's surface it keeps two window rows.
#ifndef PLATFORM_POSIX_SCREEN_SURFACE_PATH_H
#define PLATFORM_POSIX_SCREEN_SURFACE_PATH_H

#include "platform/posix/screen/picture_conversion.h"
#include "platform/posix/screen/screen_layout.h"

#include <cstdint>
#include <vector>

struct SDL_Surface;
struct SDL_Window;

namespace posix::screen {

// Where one window column (or row) of the picture takes its colour: page column
// (row) first, blended with the next one, which weighs weight/256.
struct Sample {
    uint16_t first = 0;
    uint16_t weight = 0;
};

struct SurfacePath {
    SDL_Surface* window = nullptr;  // the window's surface last drawn in (SDL's own)
    int width = 0;                  // its size, and the page's, when the samples were made
    int height = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    Rect picture;                   // where the picture goes in the window
    std::vector<Sample> columns;    // one for each column of the picture
    std::vector<Sample> rows;       // one for each row of the picture
    // Two page rows scaled across, reused while a present goes down the window.
    std::vector<uint32_t> scaledRow[2];
    int scaledRowOf[2] = {-1, -1};  // which page rows they are
    std::vector<uint32_t> converted;  // one row, for a window whose pixels are not 32-bit
    std::vector<uint32_t> swapped;    // the palette as XBGR, for a window in that order
};

// Draws the part of picture that changed (all of it after repaint, a new surface
// or a new size) and sends it to the display. False when the window has no surface.
bool PresentInWindowSurface(SurfacePath& path, SDL_Window* host, const Picture& picture,
                            RowSpan changedRows, ColumnSpan changedColumns, bool repaint);
// No page to show: the window goes black.
bool ShowBlackInWindowSurface(SurfacePath& path, SDL_Window* host);
void ForgetWindowSurface(SurfacePath& path);

}  // namespace posix::screen

#endif
