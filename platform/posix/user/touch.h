// What a finger on the screen means. On the desktop, as on Windows, the fingers
// of a touch screen reach the program as the mouse SDL makes of them. In a
// browser they are a reader's gestures on a phone or tablet: a tap is a key, a
// finger held is Ctrl held, a tap of two fingers is the right button.
#ifndef PLATFORM_POSIX_USER_TOUCH_H
#define PLATFORM_POSIX_USER_TOUCH_H

#include <SDL.h>

namespace posix::user {

enum class Gesture { None, Key, ControlDown, ControlUp, RightButton };

// True when the touch rule takes the event: the caller drops it and posts what
// *gesture says instead.
bool TakeTouchEvent(const SDL_Event& event, Gesture* gesture);
// At each look at the queue: ControlDown once the fingers have stayed down long
// enough to be a hold (nowMs on SDL's ticks).
Gesture TouchHeldAt(Uint32 nowMs);

}  // namespace posix::user

#endif
