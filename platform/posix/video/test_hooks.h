// Test-only: SDL's video started again from nothing, for instance under another
// SDL_VIDEODRIVER, or under none to meet a machine without a display; and the way
// the window is drawn chosen by the test.
#ifndef PLATFORM_POSIX_VIDEO_TEST_HOOKS_H
#define PLATFORM_POSIX_VIDEO_TEST_HOOKS_H

#include "platform/posix/video/presenting.h"

namespace testhooks {

// Destroys the host window and stops SDL's video and events; the next call that
// needs a display starts them again. Reset the user module and the screen first.
void ResetVideo();

// Takes this choice instead of the hints' and the display's until the next
// ResetVideo; for instance SDL's software renderer on the dummy driver, which runs
// the renderer's code with no GPU. Call it before the window is made.
void UsePresenting(const posix::video::PresentingChoice& choice);

}  // namespace testhooks

#endif
