// Contracts between the modules of the Linux Win32 layer (user, kernel, gdi,
// ddraw, screen, winmm). Nothing outside platform/posix includes this.
#ifndef PLATFORM_POSIX_INTERNAL_H
#define PLATFORM_POSIX_INTERNAL_H

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>

struct SDL_Window;

namespace posix {

// ---- user: the one window ---------------------------------------------------
// The SDL window behind the program's window, or null before CreateWindowExA.
SDL_Window* MainSdlWindow();
// The HWND that owns that SDL window (null before CreateWindowExA).
HWND MainWindowHandle();
// Makes sure SDL's video (and events) are initialised; returns false when no
// display can be had. Safe to call many times.
bool EnsureVideo();

// Activation changes of the program (focus gained or lost), as WM_ACTIVATEAPP
// reports them to the window procedure; ddraw listens to mark its exclusive
// surfaces lost on deactivation, as DirectDraw does.
typedef void (*ActivationListener)(bool active);
void SetActivationListener(ActivationListener listener);

// Drawing calls report that the program did work, so that the next empty
// PeekMessageA does not idle: only a poll loop with nothing else in it rests.
void NoteWork();

// ---- screen: presentation of the 640x480 8-bit front page -----------------
// ddraw hands the screen a source from which it reads the front page and the
// palette when it presents; the screen never holds ddraw's objects.
struct Frame;
typedef bool (*FrameSource)(Frame* out);  // false: nothing to show (no primary surface)
void SetFrameSource(FrameSource source);

// SetDisplayMode: take the whole screen for a width x height 8-bit mode. False when
// no display can be had. The SDL window keeps its desktop size; the mode is scaled.
bool OpenScreen(int width, int height);
// Give the screen back (also run at process exit, whatever the road).
void CloseScreen();
// After a Flip or a SetEntries on the shown palette: present now.
void PresentNow();
// After drawing directly on the front page (BltFast, Blt, GetDC/ReleaseDC on it):
// present at the next look at the message queue, at most once a frame.
void PresentSoon();
// Called by PeekMessageA on every look at the queue: carries out a PresentSoon.
void PresentPendingFrame();

// ---- gdi: device contexts on 8-bit pixels ----------------------------------
// An 8-bit palette-indexed picture: what a DirectDraw surface or a DIB section holds.
struct IndexedPixels {
    int width = 0;
    int height = 0;
    int pitch = 0;               // bytes from one row to the next, top row first
    uint8_t* pixels = nullptr;
};

struct Frame {
    IndexedPixels pixels;          // the front page
    const PALETTEENTRY* palette;   // 256 entries as shown (see EffectiveDisplayPalette)
};

// A device context that draws onto target, matching colours against the 256
// entries at matchPalette as they stand when each drawing call is made.
// ddraw's GetDC makes one, its ReleaseDC destroys it.
HDC CreatePixelDC(const IndexedPixels& target, const PALETTEENTRY* matchPalette);
void DestroyPixelDC(HDC dc);

// ---- ddraw: the palette GDI matches against ----------------------------------
// The display palette's 256 entries as the screen shows them (entries 0 and 255
// fixed black and white unless the palette was made with DDPCAPS_ALLOW256);
// all black before a palette exists.
const PALETTEENTRY* EffectiveDisplayPalette();

// ---- kernel: resources built into the program ------------------------------
struct EmbeddedResource {
    const char* name;        // upper-case name, as FindResourceA compares them
    uintptr_t type;          // numeric resource type, 2 for RT_BITMAP
    const unsigned char* data;
    size_t size;             // for RT_BITMAP: the .bmp without its 14-byte file header
};
// The build's generated resource table calls this from a static initialiser.
void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count);

}  // namespace posix

#endif
