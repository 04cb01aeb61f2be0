#include "platform/posix/screen/surface_path.h"

#include "platform/posix/video/video.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace posix::screen {

namespace {

// The samples of the fitted size's pixels, each centre mapped into the sharp
// picture (pageSize x scale pixels) as a texture sampler maps it: position
// (i + 0.5) x sharp / fitted - 0.5, in 256ths, rounded; clamped at both edges. A
// blend between two sharp pixels of one page pixel is that page pixel alone, so
// whole factors copy.
std::vector<Sample> SamplesFor(int pageSize, int scale, int fitted) {
    const long long sharp = static_cast<long long>(pageSize) * scale;
    std::vector<Sample> samples(fitted);
    for (int i = 0; i < fitted; ++i) {
        const long long offset = (2LL * i + 1) * sharp - fitted;
        const long long position = offset <= 0 ? 0 : (offset * 256 + fitted) / (2LL * fitted);
        const long long pixel = position >> 8;
        if (pixel >= sharp - 1) {
            samples[i].first = static_cast<uint16_t>(pageSize - 1);
            continue;
        }
        samples[i].first = static_cast<uint16_t>(pixel / scale);
        if ((pixel + 1) / scale != pixel / scale) samples[i].weight = position & 255;
    }
    return samples;
}

// The window columns (or rows) whose samples take a page column (row) of changed.
Span DependingOn(const std::vector<Sample>& samples, Span changed) {
    Span span{static_cast<int>(samples.size()), 0};
    for (int i = 0; i < static_cast<int>(samples.size()); ++i) {
        const Sample sample = samples[i];
        const int last = sample.first + (sample.weight != 0 ? 1 : 0);
        if (sample.first >= changed.end || last < changed.first) continue;
        span.first = std::min(span.first, i);
        span.end = i + 1;
    }
    return span.empty() ? Span{} : span;
}

// Two pixels blended channel by channel, b weighing weight/256, each channel
// rounded: (a x (256 - weight) + b x weight + 128) / 256. Two channels at a time,
// 16 bits apart, which cannot carry into each other.
uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t keep = 256 - weight;
    const uint32_t redBlue =
        ((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight + 0x800080u) >> 8;
    const uint32_t alphaGreen =
        ((a >> 8) & 0xFF00FFu) * keep + ((b >> 8) & 0xFF00FFu) * weight + 0x800080u;
    return (redBlue & 0xFF00FFu) | (alphaGreen & 0xFF00FF00u);
}

// One byte of a blend: (a x (256 - weight) + b x weight + 128) / 256 in 16 bits,
// which hold the largest sum (255 x 256 + 128).
uint8_t BlendByte(uint8_t a, uint8_t b, uint16_t keep, uint16_t weight) {
    return static_cast<uint8_t>(static_cast<uint16_t>(a * keep + b * weight + 128) >> 8);
}

// Two rows blended byte by byte, lower weighing weight/256, each byte rounded as
// Blend rounds each channel. In 16 bits the compiler does eight bytes at a time;
// the first loop runs over whole 16-byte blocks, which its cheapest model takes.
void BlendRows(uint8_t* __restrict out, const uint8_t* __restrict upper,
               const uint8_t* __restrict lower, size_t bytes, uint32_t weight) {
    const uint16_t keep = static_cast<uint16_t>(256 - weight);
    const uint16_t lowerWeight = static_cast<uint16_t>(weight);
    const size_t blocks = bytes & ~static_cast<size_t>(15);
    for (size_t i = 0; i < blocks; ++i) out[i] = BlendByte(upper[i], lower[i], keep, lowerWeight);
    for (size_t i = blocks; i < bytes; ++i)
        out[i] = BlendByte(upper[i], lower[i], keep, lowerWeight);
}

// Page row `row` scaled across, the given columns of it. Each page row is scaled
// once however many window rows it feeds: the two last scaled are kept, and the
// upper one gives way, for a present goes down the window. A row with the same
// indices as one kept (a card's fill, the black between lines) takes its place.
const uint32_t* ScaledRow(SurfacePath& path, const Picture& picture, int row, Span columns) {
    const uint8_t* indices = picture.indices + static_cast<size_t>(row) * picture.width;
    for (int i = 0; i < 2; ++i)
        if (path.scaledRowOf[i] == row) return path.scaledRow[i].data();
    for (int i = 0; i < 2; ++i) {
        const int kept = path.scaledRowOf[i];
        if (kept < 0 || std::memcmp(picture.indices + static_cast<size_t>(kept) * picture.width,
                                    indices, picture.width) != 0)
            continue;
        path.scaledRowOf[i] = row;
        return path.scaledRow[i].data();
    }
    const int slot = path.scaledRowOf[0] < path.scaledRowOf[1] ? 0 : 1;
    path.scaledRowOf[slot] = row;
    std::vector<uint32_t>& scaled = path.scaledRow[slot];
    scaled.resize(path.columns.size());
    const uint32_t* argb = picture.argb;
    for (int x = columns.first; x < columns.end; ++x) {
        const Sample sample = path.columns[x];
        const uint32_t left = argb[indices[sample.first]];
        scaled[x] = sample.weight == 0 ? left
                                       : Blend(left, argb[indices[sample.first + 1]], sample.weight);
    }
    return scaled.data();
}

// Window rows [rows) of the picture, columns [columns) of them, as 32-bit pixels
// in the palette's byte order; leftEdge is the picture's left edge in the first of
// those rows, pitch bytes apart.
void ScaleRows(SurfacePath& path, const Picture& picture, Span rows, Span columns,
               uint8_t* leftEdge, int pitch) {
    const size_t bytes = static_cast<size_t>(columns.end - columns.first) * sizeof(uint32_t);
    for (int y = rows.first; y < rows.end; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(leftEdge + static_cast<ptrdiff_t>(y - rows.first) *
                                                               pitch);
        const Sample sample = path.rows[y];
        const uint32_t* upper = ScaledRow(path, picture, sample.first, columns);
        if (sample.weight == 0) {
            std::memcpy(out + columns.first, upper + columns.first, bytes);
            continue;
        }
        const uint32_t* lower = ScaledRow(path, picture, sample.first + 1, columns);
        BlendRows(reinterpret_cast<uint8_t*>(out + columns.first),
                  reinterpret_cast<const uint8_t*>(upper + columns.first),
                  reinterpret_cast<const uint8_t*>(lower + columns.first), bytes, sample.weight);
    }
}

bool IsXrgbOrArgb(Uint32 format) {
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

// Red and blue the other way round (a browser's canvas, some X visuals).
bool IsXbgrOrAbgr(Uint32 format) {
    return format == SDL_PIXELFORMAT_BGR888 || format == SDL_PIXELFORMAT_ABGR8888;
}

// The picture through its palette with red and blue swapped: the scaling blends
// each channel alike, so it then writes the window's own order.
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

// Scales rows of the picture, those of its columns, straight into the window's
// pixels; or one row at a time through a row in ARGB for a window of another format.
void WriteRows(SurfacePath& path, const Picture& picture, Span rows, Span columns) {
    SDL_Surface* window = path.window;
    const Uint32 format = window->format->format;
    auto* leftEdge = static_cast<uint8_t*>(window->pixels) +
                     static_cast<ptrdiff_t>(path.picture.y + rows.first) * window->pitch +
                     path.picture.x * window->format->BytesPerPixel;
    path.scaledRowOf[0] = path.scaledRowOf[1] = -1;  // the page has changed since
    if (IsXrgbOrArgb(format) || IsXbgrOrAbgr(format)) {
        const Picture shown =
            IsXrgbOrArgb(format) ? picture : WithRedAndBlueSwapped(picture, &path.swapped);
        ScaleRows(path, shown, rows, columns, leftEdge, window->pitch);
        return;
    }
    path.converted.resize(path.columns.size());
    const int width = columns.end - columns.first;
    for (int y = rows.first; y < rows.end; ++y) {
        ScaleRows(path, picture, Span{y, y + 1}, columns,
                  reinterpret_cast<uint8_t*>(path.converted.data()), 0);
        SDL_ConvertPixels(width, 1, SDL_PIXELFORMAT_ARGB8888, path.converted.data() + columns.first,
                          width * 4, format,
                          leftEdge + static_cast<ptrdiff_t>(y - rows.first) * window->pitch +
                              columns.first * window->format->BytesPerPixel,
                          window->pitch);
    }
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

// A new window surface or page size: the picture's place and samples, the bars.
void StartWindow(SurfacePath& path, SDL_Surface* window, const Picture& picture) {
    const ScreenLayout layout = LayoutFor(picture.width, picture.height, window->w, window->h);
    path.window = window;
    path.width = window->w;
    path.height = window->h;
    path.pageWidth = picture.width;
    path.pageHeight = picture.height;
    path.picture = layout.picture;
    path.columns = SamplesFor(picture.width, layout.sharpScale, layout.picture.width);
    path.rows = SamplesFor(picture.height, layout.sharpScale, layout.picture.height);
    for (int i = 0; i < layout.bars; ++i) FillBlack(window, &layout.bar[i]);
}

}  // namespace

bool PresentInWindowSurface(SurfacePath& path, SDL_Window* host, const Picture& picture,
                            RowSpan changedRows, ColumnSpan changedColumns, bool repaint) {
    SDL_Surface* window = CurrentSurface(host);
    if (window == nullptr) return false;
    const bool whole = repaint || window != path.window || window->w != path.width ||
                       window->h != path.height || picture.width != path.pageWidth ||
                       picture.height != path.pageHeight;
    if (whole) StartWindow(path, window, picture);
    const Span rows = whole ? Span{0, static_cast<int>(path.rows.size())}
                            : DependingOn(path.rows, changedRows);
    const Span columns = whole ? Span{0, static_cast<int>(path.columns.size())}
                               : DependingOn(path.columns, changedColumns);
    // A window's surface needs no lock.
    if (!rows.empty() && !columns.empty()) WriteRows(path, picture, rows, columns);
    const SDL_Rect sent = whole ? SDL_Rect{0, 0, window->w, window->h}
                                : SDL_Rect{path.picture.x + columns.first, path.picture.y + rows.first,
                                           columns.end - columns.first, rows.end - rows.first};
    if (sent.w > 0 && sent.h > 0) video::ShowWindowRects(host, &sent, 1);
    return true;
}

bool ShowBlackInWindowSurface(SurfacePath& path, SDL_Window* host) {
    SDL_Surface* window = CurrentSurface(host);
    if (window == nullptr) return false;
    FillBlack(window, nullptr);
    const SDL_Rect whole{0, 0, window->w, window->h};
    video::ShowWindowRects(host, &whole, 1);
    path.window = nullptr;  // the page, when it comes, is drawn whole
    return true;
}

void ForgetWindowSurface(SurfacePath& path) {
    path.window = nullptr;  // SDL's, and gone with the window
}

}  // namespace posix::screen
