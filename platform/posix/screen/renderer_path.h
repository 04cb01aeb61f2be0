// The GPU's way: an SDL renderer holds the page as a streaming texture, of which
// a present sends only the rows that changed; the GPU scales it by the layout's
// whole factor with nearest neighbour into a target texture, then fits that into
// the window with linear filtering between black bars. The processor's part of a
// present is bounded by the page, whatever the size of the window.
#ifndef PLATFORM_POSIX_SCREEN_RENDERER_PATH_H
#define PLATFORM_POSIX_SCREEN_RENDERER_PATH_H

#include "platform/posix/screen/picture_conversion.h"

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

namespace posix::screen {

struct RendererPath {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* page = nullptr;   // the page as last sent
    SDL_Texture* sharp = nullptr;  // the page scaled up by a whole factor, drawn by the GPU
    int pageWidth = 0;
    int pageHeight = 0;
    int sharpScale = 0;
};

// A renderer for the window: the named SDL driver, or SDL's first accelerated one
// when driver is empty. False when SDL has none to give.
bool OpenRenderer(RendererPath& path, SDL_Window* host, const std::string& driver);
void CloseRenderer(RendererPath& path);
// Sends the rows of picture that changed and shows the whole window.
bool PresentWithRenderer(RendererPath& path, const Picture& picture, RowSpan changed);
// No page to show: the window goes black.
bool ShowBlackWithRenderer(RendererPath& path);
// Draws the last picture again and reads the window back, R, G, B a pixel (tests).
bool ReadRendererWindow(RendererPath& path, int* width, int* height, std::vector<uint8_t>* rgb);

}  // namespace posix::screen

#endif
