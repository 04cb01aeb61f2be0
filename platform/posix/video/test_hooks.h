// Test-only: SDL's video started again from nothing, for instance under another
// SDL_VIDEODRIVER, or under none to meet a machine without a display.
#ifndef PLATFORM_POSIX_VIDEO_TEST_HOOKS_H
#define PLATFORM_POSIX_VIDEO_TEST_HOOKS_H

namespace testhooks {

// Destroys the host window and stops SDL's video and events; the next call that
// needs a display starts them again. Reset the user module and the screen first.
void ResetVideo();

}  // namespace testhooks

#endif
