// The screen: the 640x480 8-bit front page presented through its palette in the
// host window, scaled to it. DirectDraw draws; the window's message pump says
// when a frame drawn straight onto the front page may be shown.
#ifndef PLATFORM_POSIX_SCREEN_SCREEN_H
#define PLATFORM_POSIX_SCREEN_SCREEN_H

#include "platform/posix/pixels/pixels.h"
#include "platform/win32.h"

namespace posix::screen {

struct Frame {
    IndexedPixels pixels;          // the front page
    const PALETTEENTRY* palette;   // its 256 entries as shown
};
// ddraw hands the screen a source from which it reads the front page and the
// palette when it presents; the screen never holds ddraw's objects.
typedef bool (*FrameSource)(Frame* out);  // false: nothing to show (no primary surface)
void SetFrameSource(FrameSource source);

// SetDisplayMode: take the whole host window for a width x height 8-bit mode.
// False when no display can be had. The window keeps its size; the mode is scaled.
bool OpenScreen(int width, int height);
// Gives the screen back (also run at process exit, whatever the road).
void CloseScreen();
// After a Flip or a SetEntries on the shown palette: present now.
void PresentNow();
// After drawing directly on the front page: present at the next look at the
// message queue, at most once a frame.
void PresentSoon();
// After the window was exposed: show all of it again at the next look.
void RepaintSoon();
// Called on every look at the message queue: carries out a PresentSoon. True
// when it presented.
bool PresentPendingFrame();

}  // namespace posix::screen

#endif
