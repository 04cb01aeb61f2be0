// The desktop's touch screens: SDL's mouse made of a finger is a mouse, as on
// Windows, and the finger events themselves mean nothing.
#include "platform/posix/user/touch.h"

namespace posix::user {

bool TakeTouchEvent(const SDL_Event&, Gesture* gesture) {
    *gesture = Gesture::None;
    return false;
}

Gesture TouchHeldAt(Uint32) { return Gesture::None; }

}  // namespace posix::user
