// Test-only: the presented picture and window read back, the present count, and
// a fresh start of the screen between tests.
#ifndef PLATFORM_POSIX_SCREEN_TEST_HOOKS_H
#define PLATFORM_POSIX_SCREEN_TEST_HOOKS_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testhooks {

// 3 bytes a pixel (R, G, B), top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    RgbImage ScaledUp(int factor) const;  // each pixel a factor x factor block
};

// The picture of the last present at the mode's size, before scaling; false before any.
bool PresentedPicture(RgbImage* out);
// What the window shows now, scaled, with its bars; false while no screen is open.
// On the renderer the last picture is drawn again to be read.
bool PresentedWindow(RgbImage* out);
// How many presents were made since the start (or since ResetScreen).
int PresentCount();

// Closes the screen and forgets its frame source and the presents made.
void ResetScreen();

}  // namespace testhooks

#endif
