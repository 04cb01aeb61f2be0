// Where the mode's picture goes in the window: scaled up sharp by a whole
// factor, then fitted smooth into the largest rectangle of its shape, centred.
#ifndef PLATFORM_POSIX_SCREEN_SCREEN_LAYOUT_H
#define PLATFORM_POSIX_SCREEN_SCREEN_LAYOUT_H

namespace posix::screen {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct ScreenLayout {
    int sharpScale = 1;  // nearest-neighbour factor, at least 1
    Rect picture;        // in window pixels; the rest of the window is black
    // The sharp picture still has to be resized to fill picture (linear filtering).
    bool smoothFit = false;
    int bars = 0;        // how many black rectangles surround the picture
    Rect bar[2];
};

// modeWidth, modeHeight and the window size must be positive.
ScreenLayout LayoutFor(int modeWidth, int modeHeight, int windowWidth, int windowHeight);

}  // namespace posix::screen

#endif
