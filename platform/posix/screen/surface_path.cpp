#include "platform/posix/screen/surface_path.h"

#include "platform/posix/video/video.h"

#include <SDL.h>

namespace posix::screen {

namespace {

bool IsXrgbOrArgb(Uint32 format) {
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

// Red and blue the other way round (a browser's canvas, some X visuals).
bool IsXbgrOrAbgr(Uint32 format) {
    return format == SDL_PIXELFORMAT_BGR888 || format == SDL_PIXELFORMAT_ABGR8888;
}

// The picture through its palette with red and blue swapped: the refit blends each
// byte alike, so it then writes the window's own order.
Picture WithRedAndBlueSwapped(const Picture& picture, std::vector<uint32_t>* palette) {
    palette->resize(256);
    for (int i = 0; i < 256; ++i) {
        const uint32_t argb = picture.argb[i];
        (*palette)[i] = (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16);
    }
    Picture swapped = picture;
    swapped.argb = palette->data();
    return swapped;
}

SDL_Surface* CurrentSurface(SDL_Window* host) {
    // Made again after a resize: then it holds nothing of ours.
    SDL_Surface* window = host != nullptr ? video::WindowSurface(host) : nullptr;
    return window != nullptr && window->w > 0 && window->h > 0 ? window : nullptr;
}

void FillBlack(SDL_Surface* surface, const Rect* rect) {
    const SDL_Rect area = rect ? SDL_Rect{rect->x, rect->y, rect->width, rect->height}
                               : SDL_Rect{0, 0, surface->w, surface->h};
    SDL_FillRect(surface, &area, SDL_MapRGB(surface->format, 0, 0, 0));
}

// Refits rows of the picture, those of its columns, straight into the window's
// pixels; or whole rows one at a time through a row in XRGB for a window of
// another format.
void WriteRows(SurfacePath& path, const Picture& picture, RowSpan rows, ColumnSpan columns) {
    SDL_Surface* window = path.window;
    const Rect& place = path.geometry.picture;
    auto* base = static_cast<uint8_t*>(window->pixels) +
                 static_cast<ptrdiff_t>(place.y) * window->pitch + place.x * 4;
    path.lines.Forget();  // the page has changed since the last present
    const Uint32 format = window->format->format;
    if (IsXrgbOrArgb(format) || IsXbgrOrAbgr(format)) {
        const Picture shown =
            IsXrgbOrArgb(format) ? picture : WithRedAndBlueSwapped(picture, &path.swapped);
        RefitRows(path.geometry, shown, rows, columns, base + rows.first * window->pitch,
                        window->pitch, &path.lines);
        return;
    }
    base = static_cast<uint8_t*>(window->pixels) + static_cast<ptrdiff_t>(place.y) * window->pitch +
           place.x * window->format->BytesPerPixel;
    path.row.resize(place.width);
    for (int y = rows.first; y < rows.end; ++y) {
        RefitRows(path.geometry, picture, RowSpan{y, y + 1}, path.row.data(), 0,
                  &path.lines);
        SDL_ConvertPixels(place.width, 1, SDL_PIXELFORMAT_ARGB8888, path.row.data(),
                          place.width * 4, format, base + y * window->pitch, window->pitch);
    }
}

}  // namespace

bool PresentInWindowSurface(SurfacePath& path, SDL_Window* host, const Picture& picture,
                            RowSpan changed, ColumnSpan changedColumns, bool repaint) {
    SDL_Surface* window = CurrentSurface(host);
    if (window == nullptr) return false;
    bool whole = repaint || window != path.window || window->w != path.width ||
                 window->h != path.height;
    path.window = window;
    path.width = window->w;
    path.height = window->h;
    const ScreenLayout layout = LayoutFor(picture.width, picture.height, window->w, window->h);
    if (!path.geometry.Fits(picture.width, picture.height, layout)) {
        path.geometry = RefitGeometryFor(picture.width, picture.height, layout);
        whole = true;
    }
    const RowSpan rows = whole ? RowSpan{0, layout.picture.height}
                               : PictureRowsFor(path.geometry, changed);
    const ColumnSpan columns = whole ? AllPictureColumns(path.geometry)
                                     : PictureColumnsFor(path.geometry, changedColumns);
    const SDL_Rect sent = whole ? SDL_Rect{0, 0, window->w, window->h}
                                : SDL_Rect{layout.picture.x + columns.first,
                                           layout.picture.y + rows.first,
                                           columns.end - columns.first, rows.end - rows.first};
    if (sent.w > 0 && sent.h > 0) video::WaitUntilRowsFree(host, sent.y, sent.y + sent.h);
    if (whole)
        for (int i = 0; i < layout.bars; ++i) FillBlack(window, &layout.bar[i]);
    // A window's surface needs no lock.
    if (!rows.empty() && !columns.empty()) WriteRows(path, picture, rows, columns);
    if (sent.w > 0 && sent.h > 0) video::ShowWindowRects(host, &sent, 1);
    return true;
}

bool ShowBlackInWindowSurface(SurfacePath& path, SDL_Window* host) {
    SDL_Surface* window = CurrentSurface(host);
    if (window == nullptr) return false;
    video::WaitUntilRowsFree(host, 0, window->h);
    FillBlack(window, nullptr);
    const SDL_Rect whole{0, 0, window->w, window->h};
    video::ShowWindowRects(host, &whole, 1);
    path.window = nullptr;  // the page, when it comes, is drawn whole
    return true;
}

void ForgetWindowSurface(SurfacePath& path) {
    path.window = nullptr;  // SDL's, and gone with the window
    path.geometry = RefitGeometry{};
}

}  // namespace posix::screen
