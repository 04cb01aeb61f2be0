// A DirectDraw surface of 8-bit palette indices: one page of a flipping pair
// (the primary and its back buffer) or an offscreen plain surface.
#ifndef PLATFORM_POSIX_DDRAW_SURFACE_H
#define PLATFORM_POSIX_DDRAW_SURFACE_H

#include "platform/posix/pixels/pixels.h"
#include "platform/posix/ddraw/com_object.h"
#include "platform/win32.h"

#include <vector>

namespace posix::ddraw {

class DirectDraw;
class Palette;

enum class SurfaceRole { Front, Back, Offscreen };

class Surface final : public ComObject<Surface, IDirectDrawSurface> {
public:
    // The primary, with a back buffer when withBackBuffer. Throws std::bad_alloc.
    static Surface* CreatePrimary(DirectDraw* owner, int width, int height, bool withBackBuffer);
    static Surface* CreateOffscreen(DirectDraw* owner, int width, int height);
    // Frees the surface whatever its reference count (its owner is going away);
    // a primary takes its back buffer with it.
    static void Destroy(Surface* surface);

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                  DWORD flags, LPDDBLTFX fx) override;
    HRESULT STDMETHODCALLTYPE BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source,
                                      LPRECT sourceRect, DWORD trans) override;
    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                 LPDIRECTDRAWSURFACE* attached) override;
    HRESULT STDMETHODCALLTYPE GetDC(HDC* dc) override;
    HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT STDMETHODCALLTYPE IsLost() override;
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC dc) override;
    HRESULT STDMETHODCALLTYPE Restore() override;
    HRESULT STDMETHODCALLTYPE SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE palette) override;

    IndexedPixels Pixels();
    DirectDraw* Owner() const { return owner_; }
    SurfaceRole Role() const { return role_; }
    Palette* AttachedPalette() const { return palette_; }
    void MarkLost();

private:
    friend class ComObject<Surface, IDirectDrawSurface>;

    Surface(DirectDraw* owner, SurfaceRole role, int width, int height);
    ~Surface();
    void LastReleased();

    DWORD Caps() const;
    HRESULT CheckDrawable() const;  // not lost, no device context out
    void AfterFrontDrawing();

    DirectDraw* owner_;
    SurfaceRole role_;
    int width_;
    int height_;
    int pitch_;
    std::vector<uint8_t> page_;
    Surface* partner_ = nullptr;  // the other page of a flipping pair
    bool lost_ = false;
    HDC dc_ = nullptr;
    bool hasSourceKey_ = false;
    pixels::KeyRange sourceKey_;
    Palette* palette_ = nullptr;
};

}  // namespace posix::ddraw

#endif
