#include "platform/posix/screen/screen_layout.h"

#include <algorithm>

namespace posix::screen {

ScreenLayout LayoutFor(int modeWidth, int modeHeight, int windowWidth, int windowHeight) {
    ScreenLayout layout;
    layout.sharpScale = std::max(1, std::min(windowWidth / modeWidth, windowHeight / modeHeight));

    // The largest rectangle of the mode's shape; 64-bit products, no rounding drift.
    const long long wideProduct = static_cast<long long>(windowWidth) * modeHeight;
    const long long tallProduct = static_cast<long long>(windowHeight) * modeWidth;
    Rect& picture = layout.picture;
    if (wideProduct >= tallProduct) {  // the window is wider: bars left and right
        picture.height = windowHeight;
        picture.width = static_cast<int>(tallProduct / modeHeight);
    } else {                           // taller: bars above and below
        picture.width = windowWidth;
        picture.height = static_cast<int>(wideProduct / modeWidth);
    }
    picture.x = (windowWidth - picture.width) / 2;
    picture.y = (windowHeight - picture.height) / 2;
    layout.smoothFit = picture.width != modeWidth * layout.sharpScale ||
                       picture.height != modeHeight * layout.sharpScale;

    if (picture.width < windowWidth) {
        layout.bar[layout.bars++] = Rect{0, 0, picture.x, windowHeight};
        const int right = picture.x + picture.width;
        layout.bar[layout.bars++] = Rect{right, 0, windowWidth - right, windowHeight};
    } else if (picture.height < windowHeight) {
        layout.bar[layout.bars++] = Rect{0, 0, windowWidth, picture.y};
        const int bottom = picture.y + picture.height;
        layout.bar[layout.bars++] = Rect{0, bottom, windowWidth, windowHeight - bottom};
    }
    return layout;
}

}  // namespace posix::screen
