// The DirectDraw object: the cooperative level, the display mode, and the
// surfaces and palettes it makes (and frees when it goes).
#ifndef PLATFORM_POSIX_DDRAW_DIRECT_DRAW_H
#define PLATFORM_POSIX_DDRAW_DIRECT_DRAW_H

#include "platform/posix/ddraw/com_object.h"
#include "platform/win32.h"

namespace posix::ddraw {

class DirectDraw final : public ComObject<DirectDraw, IDirectDraw> {
public:
    DirectDraw();
    ~DirectDraw();
    DirectDraw(const DirectDraw&) = delete;
    DirectDraw& operator=(const DirectDraw&) = delete;

    HRESULT STDMETHODCALLTYPE CreatePalette(DWORD flags, LPPALETTEENTRY colours,
                                            LPDIRECTDRAWPALETTE* palette,
                                            IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                            IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE RestoreDisplayMode() override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height, DWORD bpp) override;

private:
    bool Exclusive() const;
    HRESULT MakePrimary(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface);
    HRESULT MakeOffscreen(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface);
    void GiveScreenBack();
    void FreeChildren();

    DWORD level_ = 0;  // DDSCL_* flags; 0 until SetCooperativeLevel
};

}  // namespace posix::ddraw

#endif
