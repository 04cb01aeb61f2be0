#include "platform/posix/screen/renderer_path.h"

#include "platform/posix/screen/screen_layout.h"

#include <SDL.h>

#include <strings.h>

namespace posix::screen {

namespace {

int DriverIndex(const std::string& name) {
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && strcasecmp(info.name, name.c_str()) == 0)
            return i;
    }
    return -1;
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer, int access, int width, int height,
                         SDL_ScaleMode scaling) {
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, access, width, height);
    if (texture == nullptr) return nullptr;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture, scaling);
    return texture;
}

void Destroy(SDL_Texture*& texture) {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    texture = nullptr;
}

// The page texture at the picture's size; true when it was made anew, and so
// holds nothing yet.
bool EnsurePageTexture(RendererPath& path, int width, int height) {
    if (path.page != nullptr && path.pageWidth == width && path.pageHeight == height) return false;
    Destroy(path.page);
    Destroy(path.sharp);
    path.page = MakeTexture(path.renderer, SDL_TEXTUREACCESS_STREAMING, width, height,
                            SDL_ScaleModeNearest);
    path.pageWidth = width;
    path.pageHeight = height;
    return true;
}

// The target of the whole-factor scale; null where the renderer cannot draw into
// textures, and the page is then fitted straight.
SDL_Texture* SharpTexture(RendererPath& path, int scale) {
    if (path.sharp != nullptr && path.sharpScale == scale) return path.sharp;
    Destroy(path.sharp);
    path.sharp = MakeTexture(path.renderer, SDL_TEXTUREACCESS_TARGET, path.pageWidth * scale,
                             path.pageHeight * scale, SDL_ScaleModeLinear);
    path.sharpScale = scale;
    return path.sharp;
}

// Draws the whole window from the page texture, not yet shown.
bool Draw(RendererPath& path) {
    int width = 0, height = 0;
    if (path.page == nullptr || SDL_GetRendererOutputSize(path.renderer, &width, &height) != 0 ||
        width <= 0 || height <= 0)
        return false;
    const ScreenLayout layout = LayoutFor(path.pageWidth, path.pageHeight, width, height);
    SDL_Texture* fitted = path.page;
    if (layout.smoothFit) {
        SDL_Texture* sharp = SharpTexture(path, layout.sharpScale);
        if (sharp != nullptr && SDL_SetRenderTarget(path.renderer, sharp) == 0) {
            SDL_RenderCopy(path.renderer, path.page, nullptr, nullptr);
            SDL_SetRenderTarget(path.renderer, nullptr);
            fitted = sharp;
        }
    }
    SDL_SetRenderDrawColor(path.renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(path.renderer);
    const SDL_Rect place{layout.picture.x, layout.picture.y, layout.picture.width,
                         layout.picture.height};
    return SDL_RenderCopy(path.renderer, fitted, nullptr, &place) == 0;
}

}  // namespace

bool OpenRenderer(RendererPath& path, SDL_Window* host, const std::string& driver) {
    if (path.renderer != nullptr) return true;
    const int index = driver.empty() ? -1 : DriverIndex(driver);
    if (!driver.empty() && index < 0) return false;
    // No vsync: a flip is shown at once and fast-forward is not held to the display's rate.
    path.renderer = SDL_CreateRenderer(host, index, driver.empty() ? SDL_RENDERER_ACCELERATED : 0);
    return path.renderer != nullptr;
}

void CloseRenderer(RendererPath& path) {
    Destroy(path.sharp);
    Destroy(path.page);
    if (path.renderer != nullptr) SDL_DestroyRenderer(path.renderer);
    path = RendererPath{};
}

bool PresentWithRenderer(RendererPath& path, const Picture& picture, RowSpan changed) {
    if (path.renderer == nullptr) return false;
    if (EnsurePageTexture(path, picture.width, picture.height)) changed = RowSpan{0, picture.height};
    if (path.page == nullptr) return false;
    const SDL_Rect rows{0, changed.first, picture.width, changed.end - changed.first};
    void* pixels = nullptr;
    int pitch = 0;
    if (!changed.empty() && SDL_LockTexture(path.page, &rows, &pixels, &pitch) == 0) {
        ConvertRows(picture, changed, static_cast<uint32_t*>(pixels), pitch);
        SDL_UnlockTexture(path.page);  // sends the rows
    }
    if (!Draw(path)) return false;
    SDL_RenderPresent(path.renderer);
    return true;
}

bool ShowBlackWithRenderer(RendererPath& path) {
    if (path.renderer == nullptr) return false;
    SDL_SetRenderDrawColor(path.renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(path.renderer);
    SDL_RenderPresent(path.renderer);
    return true;
}

bool ReadRendererWindow(RendererPath& path, int* width, int* height, std::vector<uint8_t>* rgb) {
    if (path.renderer == nullptr || SDL_GetRendererOutputSize(path.renderer, width, height) != 0)
        return false;
    rgb->assign(static_cast<size_t>(*width) * *height * 3, 0);
    if (path.page != nullptr && !Draw(path)) return false;
    if (path.page == nullptr) {
        SDL_SetRenderDrawColor(path.renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
        SDL_RenderClear(path.renderer);
    }
    return SDL_RenderReadPixels(path.renderer, nullptr, SDL_PIXELFORMAT_RGB24, rgb->data(),
                                *width * 3) == 0;
}

}  // namespace posix::screen
